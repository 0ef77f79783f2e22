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
Xvfb "$ekran" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
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
# A tool window opened from the side bar, moved below the main window (there is
# no window manager to place it).
narzedzie() { klik $1; local w; w=$(xdotool search --sync --name "$2"); xdotool windowmove "$w" 0 380; sleep 0.5; echo "$w"; }

# Navigation labels of the side bar, from the top, and the tool windows below.
tryb="381 44"; parametry="381 70"; polaczenie="381 96"; symulator="381 122"
kontrola="381 216"; monitor="381 242"; identyfikacja="381 268"

zdjecie start
monitor_okno=$(narzedzie "$monitor" "^Monitor łącza$")
klik $polaczenie; klik 60 38; zdjecie polaczenie
klik 123 119
klik $parametry; zdjecie parametry
# The mode and the version read from the converter.
klik $tryb; klik 249 113; klik 61 228; zdjecie tryb
klik 249 175
wykres=$(xdotool search --sync --name "^Form1$")
sleep 0.5
import -window "$wykres" "$cel/wykres.png"
xdotool mousemove --window "$wykres" 470 17 click 1; sleep 0.5
klik $symulator; klik 19 133
xdotool mousemove --window "$okno" 157 47 mousedown 1 mousemove --window "$okno" 240 47 mouseup 1; sleep 0.6
zdjecie symulator
klik 19 133
import -window "$monitor_okno" "$cel/monitor.png"
kill $program; wait $program 2>/dev/null || true

# A scale of frame type 2 on the line instead of the converter, for the
# identification window.
"$KONWERTER_BUILD/bin/konwerter-emu" --folder "$folder" --link "$folder/waga" --scale 2 \
    --scale-weight 1250,-340,0,15 --scale-hold 4 >/dev/null &
waga=$!
trap 'kill $program $waga $xvfb 2>/dev/null; rm -rf "$folder"' EXIT
sleep 1
"$KONWERTER_BUILD/bin/konwerter" --folder "$folder" --device "$folder/waga" >/dev/null &
program=$!
okno=$(xdotool search --sync --name "Konwerter - C")
sleep 1
identyfikacja_okno=$(narzedzie "$identyfikacja" "^Identyfikacja wagi$")
xdotool mousemove --window "$identyfikacja_okno" 58 21 click 1
sleep 4
import -window "$identyfikacja_okno" "$cel/identyfikacja.png"
kill $program $waga; wait $program $waga 2>/dev/null || true

# The loop check against the emulator, with its multimeter reading the loop.
printf '\r\n[MIERNIK]\r\nURZ\xa5DZENIE=%s\r\n' "$folder/dmm" >>"$folder/settings.ini"
"$KONWERTER_BUILD/bin/konwerter-emu" --folder "$folder" --link "$folder/konw" --dmm-link "$folder/dmm" \
    --mode 0 --frame 2 --max 001500 --dmm-tau 100 --dmm-noise 0.0004 >/dev/null &
emulator=$!
trap 'kill $program $emulator $xvfb 2>/dev/null; rm -rf "$folder"' EXIT
sleep 1
"$KONWERTER_BUILD/bin/konwerter" --folder "$folder" --device "$folder/konw" >/dev/null &
program=$!
okno=$(xdotool search --sync --name "Konwerter - C")
sleep 1
kontrola_okno=$(narzedzie "$kontrola" "^Kontrola pętli$")
xdotool mousemove --window "$kontrola_okno" 564 48 click 1 type "J. Nowak"
xdotool mousemove --window "$kontrola_okno" 564 76 click 1 type "KCI-0142"
xdotool mousemove --window "$kontrola_okno" 376 133 click 1
sleep 12
import -window "$kontrola_okno" "$cel/kontrola.png"
echo "Screenshots in $cel"
