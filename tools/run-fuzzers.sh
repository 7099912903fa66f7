#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer (folder build-fuzz) and runs each one.
#
#   tools/run-fuzzers.sh                 each target for a fixed number of inputs
#                                        (FUZZ_RUNS, default 10000; 500 for image_file,
#                                        whose every input decodes and re-imports a whole image)
#   FUZZ_SECONDS=300 tools/run-fuzzers.sh   each target for that many seconds
#   tools/run-fuzzers.sh json_import     only the named targets
#
# New inputs that reach new code go to build-fuzz/corpus/<target> (seeded from
# fuzz/corpus/<target>); an input that breaks a property is written to
# build-fuzz/findings/<target>/ and the script fails. Replay one with
# build-fuzz/bin/fuzz_<target> FILE.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD_DIR:-$here/build-fuzz}
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=($(sed -n 's/^orv_fuzz_target(\([a-z_0-9]*\).*/\1/p' "$here/fuzz/CMakeLists.txt"))

pkgs=(clang-14 libclang-rt-14-dev)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "run-fuzzers: installing ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

mkdir -p "$build"
log=$build/configure-output.log
# clang-14 with libFuzzer and the sanitizers: the "fuzz" preset (CMakePresets.json).
cmake --preset fuzz -S "$here" -B "$build" > "$log" 2>&1 || { cat "$log"; exit 1; }
cmake --build "$build" -j2 --target $(printf 'fuzz_%s ' "${targets[@]}")

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
runs_of() {
  if [ -n "${FUZZ_RUNS:-}" ]; then echo "$FUZZ_RUNS"; return; fi
  case $1 in
    image_file) echo 500 ;;
    *) echo 10000 ;;
  esac
}
status=0
for t in "${targets[@]}"; do
  limit=(-runs="$(runs_of "$t")")
  [ -n "${FUZZ_SECONDS:-}" ] && limit=(-max_total_time="$FUZZ_SECONDS")
  corpus=$build/corpus/$t
  findings=$build/findings/$t
  mkdir -p "$corpus" "$findings"
  echo "== fuzz_$t ${limit[*]}"
  start=$(date +%s)
  if "$build/bin/fuzz_$t" "${limit[@]}" -max_len=65536 -timeout=10 -rss_limit_mb=4096 -print_final_stats=1 \
      -artifact_prefix="$findings/" "$corpus" "$here/fuzz/corpus/$t" > "$build/fuzz_$t.log" 2>&1; then
    echo "   ok in $(( $(date +%s) - start )) s: $(grep -E 'stat::number_of_executed_units' "$build/fuzz_$t.log" | tr -s ' ')"
  else
    status=1
    echo "   FAILED (log: $build/fuzz_$t.log, inputs: $findings/)"
    tail -n 40 "$build/fuzz_$t.log"
  fi
done
exit $status
