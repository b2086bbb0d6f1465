#!/usr/bin/env bash
# Writes every output of a korvix build for the bundled example into a folder,
# so that two builds can be compared byte for byte (diff -r): --check in its
# three forms, the dispatch points, --dump-layout and --render of every point
# in every mode at two sizes and at 120 dpi, the fixtures' check, two usage
# errors and the help.
#   bash scripts/example-outputs.sh build/korvix /tmp/after
set -euo pipefail
cd "$(dirname "$0")/.."
korvix=$(realpath "$1")
out=$2
mkdir -p "$out"
example=examples/moskva-sever.xml
export QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 LC_ALL=C.UTF-8
HOME=$(mktemp -d)
export HOME
trap 'rm -rf "$HOME"' EXIT

run() { # file, then the command; the exit status goes last
    local file=$1; shift
    local status=0
    "$@" > "$file" 2>&1 || status=$?
    echo "rc=$status" >> "$file"
}

for format in text gnu json; do
    run "$out/check-$format.txt" "$korvix" --check --format "$format" "$example"
done
"$korvix" --list-points "$example" 2> /dev/null > "$out/points.txt" || true
while IFS= read -r point; do
    key=$(printf '%s' "$point" | md5sum | cut -c1-8)
    for mode in streets two-columns controller; do
        for size in 900x560 1920x1080; do
            run "$out/layout-$key-$mode-$size.json" "$korvix" --dump-layout "$example" --point "$point" --mode "$mode" --size "$size"
            run "$out/render-$key-$mode-$size.txt" "$korvix" --render "$out/render-$key-$mode-$size.png" "$example" \
                --point "$point" --mode "$mode" --size "$size"
        done
    done
    run "$out/render-$key-120dpi.txt" "$korvix" --render "$out/render-$key-120dpi.png" "$example" \
        --point "$point" --mode streets --size 900x560 --dpi 120
done < "$out/points.txt"
run "$out/check-fixtures.txt" "$korvix" --check tests/fixtures/cli/*.xml
run "$out/usage-layout-option.txt" "$korvix" --check --point X
run "$out/usage-unknown-option.txt" "$korvix" --bogus
run "$out/help.txt" "$korvix" --help
