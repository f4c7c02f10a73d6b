#!/usr/bin/env bash
# Checks that a build's modules export exactly the undecorated names their
# .def files list (32-bit stdcall names must not carry @n decorations).
#   check-exports.sh ARCH   (x86 or x64)
set -eu
cd "$(dirname "$0")/.."
arch=$1
case $arch in
x86) objdump=i686-w64-mingw32-objdump ;;
x64) objdump=x86_64-w64-mingw32-objdump ;;
*) echo "usage: $0 x86|x64" >&2; exit 2 ;;
esac
status=0
check() {
    local dll=$1 def=$2
    local want got
    want=$(sed -n '/^EXPORTS/,$p' "$def" | tail -n +2 | awk 'NF {print $1}' | sort)
    got=$($objdump -p "build/$arch/bin/$dll" |
        sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | awk '/\[/ && NR > 1 {print $NF}' | sort)
    if [ "$want" != "$got" ]; then
        echo "$arch $dll: exports differ from $def"
        diff <(echo "$want") <(echo "$got") || true
        status=1
    else
        echo "$arch $dll: $(echo "$got" | wc -l) exports as listed"
    fi
}
check pxui.dll resources/pxui.def
check pxdata.dll datadriver/pxdata.def
exit $status
