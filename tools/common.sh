# Shared by run.sh and test.sh: install what is missing, then build.
set -euo pipefail

KONWERTER_ZRODLA=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
KONWERTER_BUILD=${KONWERTER_BUILD:-$KONWERTER_ZRODLA/build}

konwerter_pakiety() {
  local brakuje=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || brakuje+=("$p")
  done
  [ ${#brakuje[@]} -eq 0 ] && return 0
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${brakuje[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${brakuje[@]}"
}

KONWERTER_PAKIETY_BUDOWY=(build-essential dpkg-dev cmake ninja-build pkg-config qt6-base-dev qt6-serialport-dev)
# The tests read the printed loop-check record back as text.
KONWERTER_PAKIETY_TESTOW=(poppler-utils fonts-dejavu-core)

konwerter_buduj() {
  cmake -S "$KONWERTER_ZRODLA" -B "$KONWERTER_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
  cmake --build "$KONWERTER_BUILD"
}
