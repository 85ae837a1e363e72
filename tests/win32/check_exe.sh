#!/bin/sh
# korrelin.exe must run on a bare Windows: a GUI program that imports system DLLs
# only (no libstdc++, libgcc or winpthread DLLs beside it).
set -u
exe=$1
objdump=${2:-objdump}
format=${3:-pei-i386}
headers=$($objdump -p "$exe") || { echo "cannot read $exe"; exit 1; }
status=0
echo "$headers" | grep -q "file format $format\$" || { echo "not a $format program"; status=1; }
echo "$headers" | grep -q 'Subsystem.*(Windows GUI)' || { echo "not a GUI program"; status=1; }
allowed='^(KERNEL32|USER32|GDI32|ADVAPI32|SHELL32|OLE32|OLEAUT32|COMCTL32|COMDLG32|MSVCRT|UCRTBASE|SHLWAPI|UXTHEME|api-ms-win-crt-[a-z0-9-]+)\.dll$'
for dll in $(echo "$headers" | sed -n 's/^[[:space:]]*DLL Name: //p'); do
    if ! echo "$dll" | grep -qiE "$allowed"; then
        echo "imports a DLL that is not part of Windows: $dll"
        status=1
    fi
done
[ $status -eq 0 ] && echo "$(basename "$exe"): $format GUI program, system imports only:" $(echo "$headers" | sed -n 's/^[[:space:]]*DLL Name: //p')
exit $status
