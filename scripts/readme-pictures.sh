#!/usr/bin/env bash
# Redraws the README's pictures: the window on the bundled example, taken
# under Xvfb, and one picture of each layout mode from --render.
# Needs xvfb, xdotool and imagemagick (installed here when missing).
set -euo pipefail
cd "$(dirname "$0")/.."
export DEBIAN_FRONTEND=noninteractive
for p in xvfb xauth xdotool imagemagick; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing="${missing:-} $p"
done
if [ -n "${missing:-}" ]; then
    sudo_cmd=""; [ "$(id -u)" -ne 0 ] && sudo_cmd=sudo
    $sudo_cmd apt-get install -y -q --no-install-recommends $missing
fi
bash scripts/build.sh >/dev/null

example=examples/moskva-sever.xml
point="ОДС-1 Бескудниково"
for mode in streets two-columns controller; do
    ./build/korvix --render "docs/images/mode-$mode.png" --point "$point" --mode "$mode" --size 900x560 "$example" 2>/dev/null
done

home=$(mktemp -d)
cat > "$home/shoot.sh" <<'SHOOT'
#!/bin/bash
./build/korvix examples/moskva-sever.xml 2>/dev/null &
pid=$!
sleep 3
for i in 1 2 3; do xdotool key Return; sleep 0.7; done     # the example's three check messages
sleep 1
xdotool mousemove 80 59 click 1; sleep 0.3
xdotool key Right Down Right Down Right; sleep 0.5        # open the point, its first street and house
xdotool mousemove 80 59 click 3; sleep 1.5
xdotool mousemove 200 70 click 1; sleep 2                 # "Прорисовать диспетчерский пункт по улицам"
xdotool mousemove 520 190; sleep 2.5                      # a tooltip over a street caption
import -window root -crop 1024x700+0+0 docs/images/window.png
kill $pid
SHOOT
chmod +x "$home/shoot.sh"
HOME="$home" xvfb-run -s "-screen 0 1280x800x24" "$home/shoot.sh"
rm -rf "$home"

# The checking workflow: messages only in the panel, a point drawn from the
# keyboard, and a find that outlines a house in the table.
home=$(mktemp -d)
mkdir -p "$home/.config/Tarvel"
printf '[MainFrame]\nMessagesOnlyInPanel=true\n' > "$home/.config/Tarvel/Korvix.conf"
cat > "$home/shoot.sh" <<'SHOOT'
#!/bin/bash
./build/korvix examples/moskva-sever.xml 2>/dev/null &
pid=$!
sleep 3
xdotool mousemove 80 59 click 1; sleep 0.3
xdotool key Return; sleep 2                               # draw the first point by streets
xdotool key ctrl+f; sleep 0.5
xdotool type --delay 80 'корп'; sleep 0.3
xdotool key Return; sleep 0.5; xdotool key Return; sleep 1.5
import -window root -crop 1024x700+0+0 docs/images/checking.png
kill $pid
SHOOT
chmod +x "$home/shoot.sh"
HOME="$home" xvfb-run -s "-screen 0 1280x800x24" "$home/shoot.sh"
rm -rf "$home"
ls -l docs/images
