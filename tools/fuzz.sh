#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs them on
# seed corpora made from the data set. Outside CI; findings go to build-fuzz/findings/.
#   tools/fuzz.sh                 every target, 60 s each
#   tools/fuzz.sh TARGET [SECONDS]   one target (keyvalue, keyvalue_cipher, cipher, markup, pack,
#                                     targa, jpeg, dds, sprite, fontscan, levelmask, fieldstate,
#                                     savedgame, top7)
#   tools/fuzz.sh all SECONDS     every target, SECONDS each
# A crash, hang or leak leaves its input in build-fuzz/findings/TARGET/: fix the
# bug and copy the input to tests/corpus/TARGET/, where a unit test replays it.
set -euo pipefail
ZONVEL_ROOT="$(cd "$(dirname "$0")/.." && pwd)"
source "$ZONVEL_ROOT/tools/setup.sh"

# What the fuzz build needs beyond the main set-up: clang and its runtimes.
ZONVEL_FUZZ_PACKAGES=(clang-14 libclang-rt-14-dev)
ZONVEL_PACKAGES+=("${ZONVEL_FUZZ_PACKAGES[@]}")

TARGETS=(keyvalue keyvalue_cipher cipher markup pack targa jpeg dds sprite fontscan levelmask fieldstate savedgame top7)
target="${1:-all}"
seconds="${2:-60}"
if [ "$target" != all ] && [[ ! " ${TARGETS[*]} " =~ " $target " ]]; then
  echo "unknown target '$target'; one of: ${TARGETS[*]} all" >&2
  exit 2
fi

zonvel_install_packages
# The seeds come from the ordinary build's data set.
cmake -S "$ZONVEL_ROOT" -B "$ZONVEL_ROOT/build" >/dev/null
cmake --build "$ZONVEL_ROOT/build" --target zonvel_data -j"$(nproc)"

fuzz="$ZONVEL_ROOT/build-fuzz"
CC=clang-14 CXX=clang++-14 cmake -S "$ZONVEL_ROOT" -B "$fuzz" -DZONVEL_FUZZ=ON \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
if [ "$target" = all ]; then
  nice -n 10 cmake --build "$fuzz" --target zonvel_fuzz -j"$(nproc)"
else
  nice -n 10 cmake --build "$fuzz" --target "fuzz_$target" fuzz_seeds -j"$(nproc)"
fi

seeds="$fuzz/seeds"
[ -d "$seeds" ] || "$fuzz/fuzz/fuzz_seeds" "$ZONVEL_ROOT/build" "$seeds"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:allocator_may_return_null=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
run_one() {
  local name="$1"
  local corpus="$fuzz/corpus/$name" findings="$fuzz/findings/$name"
  mkdir -p "$corpus" "$findings" "$seeds/$name"
  # Earlier findings that are now fixed stay in the regression corpus as seeds too.
  local replay=()
  [ -d "$ZONVEL_ROOT/tests/corpus/$name" ] && replay=("$ZONVEL_ROOT/tests/corpus/$name")
  # A level-mask input plays a whole level: seconds, not milliseconds, under the sanitizers.
  local timeout=10
  [ "$name" = levelmask ] || [ "$name" = savedgame ] && timeout=120
  echo "== $name: $seconds s"
  (cd "$findings" && nice -n 15 "$fuzz/fuzz/fuzz_$name" "$corpus" "$seeds/$name" "${replay[@]}" \
    -max_total_time="$seconds" -timeout="$timeout" -rss_limit_mb=2048 -max_len=262144 -print_final_stats=1 \
    -artifact_prefix="$findings/" 2>"$fuzz/$name.log") || true
  grep -E "^#[0-9]+[[:space:]]+DONE|^Done [0-9]+ runs" "$fuzz/$name.log" || tail -5 "$fuzz/$name.log"
  local found
  found=$(find "$findings" -type f \( -name 'crash-*' -o -name 'timeout-*' -o -name 'leak-*' -o -name 'oom-*' \) | wc -l)
  echo "   findings: $found (in $findings)"
}

if [ "$target" = all ]; then
  for name in "${TARGETS[@]}"; do run_one "$name"; done
else
  run_one "$target"
fi
