#!/usr/bin/env bash
# Measures the window: time from start to the first painted window, and the export of the
# benchmark tree through the window against the headless front end.
#
#   bench/app/run.sh [build dir]      (default build/release; runs under xvfb-run when no
#                                      DISPLAY is set)
# Targets: first paint under 300 ms once the first run has warmed the caches; window export
# at most 1.15 times the headless one.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build/release}
bin=$build/bin

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$0" "$@"
fi
export NO_AT_BRIDGE=1

cmake --build "$build" --target app_startup_probe app_export_probe message_pump_bench \
  tavrin-export-cli tavrin-make-fixture -j2 >/dev/null

median() { sort -n | awk '{v[NR]=$1} END {print (NR%2) ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2}'; }

echo "== start to first painted window (10 runs after one warm-up run)"
"$bin/app_startup_probe" "$(date +%s%N)" >/dev/null
paints=()
for _ in $(seq 10); do
  paints+=("$("$bin/app_startup_probe" "$(date +%s%N)" | awk '{print $3}')")
done
printf '%s\n' "${paints[@]}" | tr '\n' ' '; echo
echo "median $(printf '%s\n' "${paints[@]}" | median) ms (target < 300 ms)"

echo "== servicing the message loop per row"
"$bin/message_pump_bench" --benchmark_min_time=0.2 2>/dev/null | grep -E "Loop|Row|Pump"

echo "== export of the benchmark tree: window vs headless front end (3 runs each)"
# The export benchmark's tree (bench/export/run.sh makes and caches it).
find_tree() { ls -d bench/cache/export-tree-*/ 2>/dev/null | while read -r t; do
  [ -f "$t/.complete" ] && echo "${t%/}/root" && break; done; }
tree=$(find_tree)
if [ -z "$tree" ]; then
  echo "making the benchmark tree with bench/export/run.sh"
  TAVRIN_BUILD_DIR=$PWD/$build bench/export/run.sh --floor-only >/dev/null
  tree=$(find_tree)
fi
[ -n "$tree" ] || { echo "bench/app: no benchmark tree" >&2; exit 1; }
echo "tree: $tree"
export LC_ALL=C.UTF-8 TZ=${TZ:-UTC}
out=$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)
trap 'rm -rf "$out"' EXIT
cli=()
win=()
for _ in 1 2 3; do
  rm -rf "$out"/*
  start=$(date +%s%N)
  "$bin/tavrin-export-cli" --root "$tree" --out "$out" --quiet >/dev/null
  cli+=("$(awk -v s="$start" -v e="$(date +%s%N)" 'BEGIN {printf "%.3f", (e-s)/1e9}')")
  rm -rf "$out"/*
  win+=("$("$bin/app_export_probe" "$tree" "$out" | awk '{print $3}')")
done
cli_median=$(printf '%s\n' "${cli[@]}" | median)
win_median=$(printf '%s\n' "${win[@]}" | median)
echo "headless: ${cli[*]} s, median $cli_median s"
echo "window:   ${win[*]} s, median $win_median s"
awk -v w="$win_median" -v c="$cli_median" \
  'BEGIN {printf "window / headless = %.3f (target <= 1.15)\n", w / c}'
