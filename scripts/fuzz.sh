#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzz targets with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer into build-fuzz/, and runs each of them.
#   scripts/fuzz.sh --seconds 30          each target for 30 seconds (CI)
#   scripts/fuzz.sh --runs 1000000        each target for a million inputs
#   scripts/fuzz.sh --runs 1000000 png    only the named targets
# New inputs go to build-fuzz/corpus/<target>; the committed seeds in
# fuzz/corpus/<target> are only read. A crash leaves its input in build-fuzz/.
set -euo pipefail
cd "$(dirname "$0")/.."
limit=(-max_total_time=30)
targets=()
while (($#)); do
  case "$1" in
    --seconds) limit=(-max_total_time="$2"); shift 2 ;;
    --runs) limit=(-runs="$2"); shift 2 ;;
    *) targets+=("$1"); shift ;;
  esac
done
scripts/deps.sh --fuzz
flags="-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
if [[ ! -f build-fuzz/build.ninja ]]; then
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DPLUMIX_FUZZ=ON -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags"
fi
if ((${#targets[@]} == 0)); then
  for source in fuzz/*_fuzz.cpp; do
    name=$(basename "$source" _fuzz.cpp)
    targets+=("$name")
  done
fi
cmake --build build-fuzz -j "$(nproc)" --target "${targets[@]/#/fuzz_}"
export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for target in "${targets[@]}"; do
  work=build-fuzz/corpus/$target
  mkdir -p "$work"
  echo "== $target"
  # A fixed seed by default, so that a CI run is repeatable; PLUMIX_FUZZ_SEED=0 lets libFuzzer pick one.
  (cd build-fuzz && "./fuzz/fuzz_$target" "${limit[@]}" -seed="${PLUMIX_FUZZ_SEED:-1}" -rss_limit_mb=2048 -timeout=10 \
     -print_final_stats=1 "corpus/$target" "../fuzz/corpus/$target" 2>&1) |
    grep -E "^(#[0-9]+ +DONE|stat::number_of_executed_units|==[0-9]+==ERROR|SUMMARY|Done)" || true
  # A finding makes libFuzzer leave a crash-*, leak-*, timeout-* or oom-* file.
  if compgen -G "build-fuzz/crash-*" > /dev/null || compgen -G "build-fuzz/leak-*" > /dev/null ||
     compgen -G "build-fuzz/timeout-*" > /dev/null || compgen -G "build-fuzz/oom-*" > /dev/null; then
    echo "fuzz_$target found a fault; its input is in build-fuzz/" >&2
    exit 1
  fi
done
