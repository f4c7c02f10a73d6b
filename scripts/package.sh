#!/usr/bin/env bash
# Builds both targets and lays out the driver package as the INF describes
# it: the INF and the help file at the top, each architecture's binaries in
# the folder its SourceDisksNames line gives. Writes
#   build/package/orvenpx-2210-VERSION/   and   build/package/orvenpx-2210-VERSION.zip
set -eu
cd "$(dirname "$0")/.."
scripts/build.sh >/dev/null

inf=build/x64/bin/orvenpx.inf
# Lines of one INF section, without comments and blank lines.
section() {
    awk -v want="[$1]" '
        /^\[/ { inside = (tolower($0) == tolower(want)); next }
        inside { sub(/;.*/, ""); gsub(/\r/, ""); if ($0 ~ /[^ \t]/) print }' "$inf"
}
# Folder of a disk (field 4 of its SourceDisksNames line).
disk_path() {
    section "SourceDisksNames.$1" | awk -F'[=,]' -v disk="$2" '$1 + 0 == disk { print $5 }'
}

version=$(section Version | awk -F'[=,]' '$1 == "DriverVer" { print $3 }')
[ -n "$version" ] || { echo "package: no DriverVer in $inf" >&2; exit 1; }
name=orvenpx-2210-$version
out=build/package/$name
rm -rf "$out" "build/package/$name.zip"
mkdir -p "$out"
cp "$inf" "$out/"

# arch decoration, build folder
for pair in x86:build/x86/bin amd64:build/x64/bin; do
    arch=${pair%%:*} bin=${pair#*:}
    for list in "SourceDisksFiles.$arch" SourceDisksFiles; do
        section "$list" | while IFS='=' read -r file disk; do
            file=$(echo "$file" | tr -d ' ') disk=$(echo "$disk" | awk -F, '{ print $1 + 0 }')
            folder=$(disk_path "$arch" "$disk")
            [ -f "$bin/$file" ] || { echo "package: $bin/$file is missing" >&2; exit 1; }
            mkdir -p "$out/$folder"
            cp "$bin/$file" "$out/$folder/"
        done
    done
done

(cd build/package && zip -qr "$name.zip" "$name")
echo "build/package/$name.zip:"
(cd build/package && unzip -l "$name.zip" | awk 'NR > 3 && $4 != "" { print "  " $4 }' | grep -v '/$')
