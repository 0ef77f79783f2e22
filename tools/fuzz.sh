#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs each for SECONDS (default 20), starting
# from its seed corpus in fuzz/corpus. What the fuzzer learns stays in the
# build folder, never in the repository; an input that breaks a target is saved
# there as crash-* and stops the script.
#   ./tools/fuzz.sh [SECONDS] [TARGET...]      e.g. ./tools/fuzz.sh 600 zapis
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

sekundy=${1:-20}
shift || true
cele=("$@")
[ ${#cele[@]} -eq 0 ] && cele=(ini zapis odpowiedz ramka jezyk dopasowanie)

konwerter_pakiety "${KONWERTER_PAKIETY_BUDOWY[@]}" clang libclang-rt-14-dev

build=${KONWERTER_BUILD_FUZZ:-$KONWERTER_ZRODLA/build-fuzz}
cmake -S "$KONWERTER_ZRODLA" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DKONWERTER_FUZZ=ON -DKONWERTER_TESTS=OFF
cmake --build "$build" --target fuzz

export UBSAN_OPTIONS=halt_on_error=1:abort_on_error=1:print_stacktrace=1
export LC_ALL=C.UTF-8
fuzz=$KONWERTER_ZRODLA/fuzz
for cel in "${cele[@]}"; do
  korpus=$build/korpus/$cel
  mkdir -p "$korpus" "$build/znaleziska/$cel"
  dziennik=$build/znaleziska/$cel/log
  echo "== fuzz_$cel, $sekundy s"
  if ! "$build/bin/fuzz_$cel" -max_total_time="$sekundy" -timeout=10 -print_final_stats=1 \
      -dict="$fuzz/slowniki/$cel.dict" -artifact_prefix="$build/znaleziska/$cel/" \
      "$korpus" "$fuzz/corpus/$cel" >"$dziennik" 2>&1; then
    tail -n 60 "$dziennik"
    echo "fuzz_$cel found a failing input: $build/znaleziska/$cel/" >&2
    exit 1
  fi
  grep -E '^#[0-9]+' "$dziennik" | tail -n 1 || true
done
