#!/bin/sh
# Stands in for the user's web browser in the Wine tests: Wine's browser launcher
# runs it with the address, and it notes the address in $KORRELIN_BROWSER_LOG.
printf '%s\n' "$*" >> "${KORRELIN_BROWSER_LOG:-/dev/null}"
