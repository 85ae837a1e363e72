#!/bin/sh
# The release zip as a user gets it: made afresh with cpack in a scratch folder,
# its file list and checksum checked, unpacked into an empty folder, the programs
# in it checked, and then the whole job run with korrelin.exe and the practice
# client from the unpacked folder.
#   package_test.sh BUILD_DIR VERSION BITS OBJDUMP PE_FORMAT
# Exits 77 (skipped) after the checks of the files when this machine cannot run
# programs of that bitness under Wine. The whole-job run needs the WINEPREFIX and
# DISPLAY that scripts/test.sh sets up.
set -u
build=$1
version=$2
bits=$3
objdump=$4
pe_format=$5
here=$(cd "$(dirname "$0")" && pwd)
scripts=$here/../../scripts
package=korrelin-$version-win$bits

scratch=$(mktemp -d "$build/package-test.XXXXXX") || exit 1
fail() {
    echo "FAIL: $*"
    echo "(the scratch folder is kept: $scratch)"
    exit 1
}
finish() {
    rm -rf "$scratch"
    exit "$1"
}

# Made here rather than taken from the build folder, so that the test sees the
# package of the current build and never races with scripts/release.sh.
if ! cpack --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1; then
    cat "$scratch/cpack.log"
    fail "cpack could not make the package (are korrelin and korrelin_standin built?)"
fi
zip=$scratch/out/$package.zip
[ -f "$zip" ] || fail "no $package.zip; cpack made: $(ls "$scratch/out" | tr "\n" " ")"

expected="$package/LICENSE.txt
$package/README-zh.txt
$package/korrelin.exe
$package/practice-chat-client.exe"
listed=$(unzip -Z1 "$zip" | LC_ALL=C sort) || fail "unzip cannot list $zip"
if [ "$listed" != "$expected" ]; then
    printf 'expected:\n%s\nin the zip:\n%s\n' "$expected" "$listed"
    fail "the zip does not hold exactly the files a user should get"
fi
echo "zip holds: $(echo "$listed" | tr "\n" " ")"

# sha256sum's own format, naming the zip beside it, so that a user can check the
# download with sha256sum -c (or compare the hash by eye).
sums=$scratch/out/$package.zip.sha256
[ -f "$sums" ] || fail "no $package.zip.sha256 beside the zip"
grep -qxE "[0-9a-f]{64}  $package\.zip" "$sums" || fail "$package.zip.sha256 is not one sha256sum line for the zip: $(cat "$sums")"
(cd "$scratch/out" && sha256sum --quiet -c "$package.zip.sha256") || fail "the checksum does not match the zip"

mkdir "$scratch/unpacked"
unzip -q "$zip" -d "$scratch/unpacked" || fail "the zip does not unpack"
dir=$scratch/unpacked/$package

for exe in korrelin.exe practice-chat-client.exe; do
    sh "$here/check_exe.sh" "$dir/$exe" "$objdump" "$pe_format" || fail "$exe from the zip fails the check for a bare Windows"
done
# The exe's version resource and the package name come from one version number.
LC_ALL=C strings -e l "$dir/korrelin.exe" | grep -qx "$version" || fail "korrelin.exe does not carry the version $version"

# Notepad shows the texts right: UTF-8 with a byte order mark, CRLF line ends,
# and every placeholder of the guide filled in.
[ "$(head -c 3 "$dir/README-zh.txt" | od -An -tx1 | tr -d ' ')" = efbbbf ] || fail "README-zh.txt does not start with a UTF-8 byte order mark"
for text in README-zh.txt LICENSE.txt; do
    if grep -qv "$(printf '\r')\$" "$dir/$text"; then fail "$text has lines without CRLF"; fi
done
if grep -q '@[A-Za-z_]*@' "$dir/README-zh.txt"; then fail "README-zh.txt has a placeholder left: $(grep -o '@[A-Za-z_]*@' "$dir/README-zh.txt" | head -1)"; fi
grep -q "Korrelin $version" "$dir/README-zh.txt" || fail "README-zh.txt does not name the version $version"
grep -q "Copyright (c) 2026 The Korrelin authors" "$dir/LICENSE.txt" || fail "LICENSE.txt lacks the copyright line"

if ! sh "$scripts/wine-run.sh" --loader "$bits" >/dev/null; then
    echo "the files of the package are right; skipped the whole-job run: this machine cannot run $bits-bit programs"
    finish 77
fi
driver=$build/wine_whole_job_test.exe
if [ ! -f "$driver" ]; then
    echo "skipped whole-job run: driver not built ($driver)"
    finish 0
fi

# The driver takes korrelin.exe and korrelin-standin.exe from KORRELIN_PROGRAM_DIR:
# the practice client gets its build name back beside the unpacked korrelin.exe.
cp "$dir/practice-chat-client.exe" "$dir/korrelin-standin.exe" || fail "cannot copy the practice client"
# A Windows path: Wine maps drive Z: to the root of the file system.
KORRELIN_PROGRAM_DIR="Z:$(printf '%s' "$dir" | tr / '\\')"
export KORRELIN_PROGRAM_DIR
printf 'whole job with KORRELIN_PROGRAM_DIR=%s\n' "$KORRELIN_PROGRAM_DIR"
sh "$scripts/wine-run.sh" "$driver"
status=$?
[ $status -eq 0 ] || [ $status -eq 77 ] || fail "the whole job failed with the programs from the zip (exit status $status)"
finish $status
