#!/usr/bin/env bash
# Makes the README's screenshots: the program on a virtual screen, in demo mode
# with the shipped files, each main panel in turn. Run after a change to the window.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

konwerter_pakiety "${KONWERTER_PAKIETY_BUDOWY[@]}" xvfb xauth xdotool imagemagick
konwerter_buduj

cel="$KONWERTER_ZRODLA/docs/screenshots"
mkdir -p "$cel"
folder=$(mktemp -d)
cp "$KONWERTER_ZRODLA/data/settings.ini" "$KONWERTER_ZRODLA/data/set.lng" "$folder/"
export XDG_RUNTIME_DIR=$folder/xdg
mkdir -m 700 "$XDG_RUNTIME_DIR"

ekran=:$((90 + RANDOM % 9))
Xvfb "$ekran" -screen 0 640x480x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$ekran QT_QPA_PLATFORM=xcb
trap 'kill $program $xvfb 2>/dev/null; rm -rf "$folder"' EXIT
sleep 1

"$KONWERTER_BUILD/bin/konwerter" --folder "$folder" --demo >/dev/null &
program=$!
okno=$(xdotool search --sync --name "Konwerter - C")
sleep 1

klik() { xdotool mousemove --window "$okno" "$1" "$2" click 1; sleep 0.6; }
zdjecie() { xdotool mousemove --window "$okno" 480 330; sleep 0.3; import -window "$okno" "$cel/$1.png"; }

# Navigation labels of the side bar, from the top.
tryb="381 44"; parametry="381 70"; polaczenie="381 96"; symulator="381 122"

zdjecie start
klik $polaczenie; klik 60 38; zdjecie polaczenie
klik 123 119
klik $parametry; zdjecie parametry
klik $tryb; zdjecie tryb
klik 249 175
wykres=$(xdotool search --sync --name "^Form1$")
sleep 0.5
import -window "$wykres" "$cel/wykres.png"
xdotool mousemove --window "$wykres" 470 17 click 1; sleep 0.5
klik $symulator; klik 19 133
xdotool mousemove --window "$okno" 157 47 mousedown 1 mousemove --window "$okno" 240 47 mouseup 1; sleep 0.6
zdjecie symulator
klik 19 133
echo "Screenshots in $cel"
