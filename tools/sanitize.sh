#!/usr/bin/env bash
# The whole test suite once more, built with AddressSanitizer, LeakSanitizer
# and UndefinedBehaviorSanitizer: a report fails the test whose process made it.
# The build lives beside the ordinary one, in build-asan.
KONWERTER_BUILD=${KONWERTER_BUILD_ASAN:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build-asan}
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

konwerter_pakiety "${KONWERTER_PAKIETY_BUDOWY[@]}" "${KONWERTER_PAKIETY_TESTOW[@]}"
# -O1 keeps the instrumented tests quick and the reports' stack traces whole.
konwerter_buduj -DKONWERTER_SANITIZE=ON -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1"

export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
cd "$KONWERTER_BUILD"
ctest --output-on-failure -j2
