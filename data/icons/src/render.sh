#!/usr/bin/env bash
# Renders the icons beside this folder from their SVG sources.
# Needs rsvg-convert (librsvg2-bin) and ImageMagick's convert.
# Run it after changing a source and commit the results.
set -euo pipefail
cd "$(dirname "$0")"
out=..

png() { # name size: name.png at size and name@2x.png at twice the size
    rsvg-convert -w "$2" -h "$2" "$1.svg" -o "$out/$1.png"
    rsvg-convert -w $(($2 * 2)) -h $(($2 * 2)) "$1.svg" -o "$out/$1@2x.png"
}

ico() { # name sizes...: one .ico holding every size
    local name=$1 tmp
    shift
    tmp=$(mktemp -d)
    local files=()
    for size in "$@"; do
        rsvg-convert -w "$size" -h "$size" "$name.svg" -o "$tmp/$size.png"
        files+=("$tmp/$size.png")
    done
    convert "${files[@]}" "$out/$name.ico"
    rm -r "$tmp"
}

for name in menu add remove copy copy-all options minimize exit help about save-text save-csv; do
    png "$name" 16
done
png panel-ok 24
png tessaro 256
cp tessaro.svg "$out/tessaro.svg"

ico update 16 32 48
ico close 16 32
