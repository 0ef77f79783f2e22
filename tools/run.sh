#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program. Without a converter
# on the bench it runs in demo mode, with the converter emulator as the
# converter; pass your own options (e.g. --device /dev/ttyUSB0) to leave demo mode.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

konwerter_pakiety "${KONWERTER_PAKIETY_BUDOWY[@]}" xvfb xauth
konwerter_buduj

opcje=("$@")
[ ${#opcje[@]} -eq 0 ] && opcje=(--demo)

program="$KONWERTER_BUILD/bin/konwerter"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No screen here: the program runs on a virtual screen (Ctrl-C ends it)."
  export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
  exec xvfb-run -a "$program" "${opcje[@]}"
fi
exec "$program" "${opcje[@]}"
