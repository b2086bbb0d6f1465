#!/usr/bin/env bash
# Installs what is missing, builds Korvix and opens the bundled example in
# its window. Without a display it says so and draws the example's dispatch
# points into PNG files instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
example=examples/moskva-sever.xml

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec ./build/korvix "$example"
fi

out=build/example-pictures
mkdir -p "$out"
echo "Нет дисплея (DISPLAY не задан): окно Korvix не открыть."
echo "Диспетчерские пункты примера нарисованы в файлы:"
n=0
while IFS= read -r point; do
    n=$((n + 1))
    for mode in streets two-columns controller; do
        picture="$out/point-$n-$mode.png"
        ./build/korvix --render "$picture" --point "$point" --mode "$mode" --size 1280x800 "$example" 2>/dev/null
        echo "  $picture  ($point, $mode)"
    done
done < <(./build/korvix --list-points "$example" 2>/dev/null)
