#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: real files in
# temporary folders, real pseudo-terminals with the converter emulator, real
# widgets rendered offscreen.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

konwerter_pakiety "${KONWERTER_PAKIETY_BUDOWY[@]}" "${KONWERTER_PAKIETY_TESTOW[@]}"
konwerter_buduj

export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
cd "$KONWERTER_BUILD"
ctest --output-on-failure -j2
