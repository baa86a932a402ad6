#!/usr/bin/env bash
# Measures a whole export against the floor of SQLite's own work on the same databases.
#
#   bench/export/run.sh [--floor-only]
#
# Builds (once, cached under bench/cache/) a tree of generated message databases, then runs, side
# by side and RUNS times each, under /usr/bin/time -v:
#   floor   the sqlite3 shell running the export's query over every database, output to /dev/null
#   export  tavrin-export-cli --root TREE --out OUT --quiet, OUT a fresh folder on /dev/shm
# and prints the medians of wall time and peak RSS, messages per second, output size and the ratio
# to the floor, and checks the targets:
#   export wall time <= 1.3 x floor wall time
#   export peak RSS  <= 1.5 x UTF-8 size of the query's result + 30 MiB
# Exit status: 0 every target met, 1 a target missed or a side failed, 2 bad usage.
#
# Settings from the environment: MESSAGES (1000000), CHATS (3000), ACCOUNTS (4), SEED (1),
# RUNS (3), TAVRIN_BUILD_DIR (build/release; built with scripts/build.sh when a binary is missing).
# Both sides run with LC_ALL=C.UTF-8 (nothing is narrowed away) and TZ (default UTC).
set -euo pipefail

repo=$(cd "$(dirname "$0")/../.." && pwd)
messages=${MESSAGES:-1000000}
chats=${CHATS:-3000}
accounts=${ACCOUNTS:-4}
seed=${SEED:-1}
runs=${RUNS:-3}
build_dir=${TAVRIN_BUILD_DIR:-$repo/build/release}
floor_only=0
case "${1:-}" in
  "") ;;
  --floor-only) floor_only=1 ;;
  -h|--help) sed -n '2,/^set -euo/p' "$0" | sed '$d; s/^# \{0,1\}//'; exit 0 ;;
  *) echo "usage: $0 [--floor-only]" >&2; exit 2 ;;
esac

# The export's query, exactly as the store sends it.
query=" select datetime(timestamp, 'unixepoch', 'localtime') as mdate,author,from_dispname,body_xml as msg,chatname  from messages msg  order by chatname,timestamp desc "

export LC_ALL=C.UTF-8
export TZ=${TZ:-UTC}

say() { printf '%s\n' "$*" >&2; }
die() { say "bench/export: $*"; exit 1; }

for tool in sqlite3 /usr/bin/time awk; do
  command -v "$tool" >/dev/null || die "$tool is missing (scripts/deps.sh installs it)"
done

# --- Binaries ----------------------------------------------------------------------------------

fixture_bin=$build_dir/bin/tavrin-make-fixture
export_bin=$build_dir/bin/tavrin-export-cli
if [ ! -x "$fixture_bin" ] || { [ $floor_only = 0 ] && [ ! -x "$export_bin" ]; }; then
  say "Building $build_dir ..."
  if [ -f "$build_dir/CMakeCache.txt" ]; then
    "$repo/scripts/build.sh" "$build_dir" >&2 || say "bench/export: the build failed"
  else
    "$repo/scripts/build.sh" "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo >&2 ||
      say "bench/export: the build failed"
  fi
fi
[ -x "$fixture_bin" ] || die "$fixture_bin was not built"
if [ $floor_only = 0 ] && [ ! -x "$export_bin" ]; then
  say "bench/export: $export_bin was not built; measuring the floor only"
  floor_only=1
  export_missing=1
fi

# --- The cached tree ---------------------------------------------------------------------------

tree=$repo/bench/cache/export-tree-${messages}m-${chats}c-${accounts}a-s${seed}
if [ ! -f "$tree/.complete" ]; then
  say "Generating $messages messages in $chats chats over $accounts accounts into $tree ..."
  rm -rf "$tree"
  mkdir -p "$tree"
  "$fixture_bin" --tree "$tree/root" --messages "$messages" --chats "$chats" \
    --accounts "$accounts" --seed "$seed" >&2
  touch "$tree/.complete"
fi
mapfile -t databases < <(find "$tree/root" -iname main.db -type f | LC_ALL=C sort)
[ ${#databases[@]} -gt 0 ] || die "no databases in $tree/root"

# Sizes that depend only on the tree (and the time zone), computed once.
sizes=$tree/sizes-$(printf '%s' "$TZ" | tr -c 'A-Za-z0-9' '_')
if [ ! -f "$sizes" ]; then
  say "Measuring the result's size ..."
  result_bytes=0
  floor_out_bytes=0
  for db in "${databases[@]}"; do
    bytes=$(sqlite3 "$db" "select coalesce(sum(coalesce(length(cast(mdate as blob)), 0) +
        coalesce(length(cast(author as blob)), 0) + coalesce(length(cast(from_dispname as blob)), 0) +
        coalesce(length(cast(msg as blob)), 0) + coalesce(length(cast(chatname as blob)), 0)), 0)
        from ($query)")
    result_bytes=$((result_bytes + bytes))
    out=$(sqlite3 "$db" "$query" | wc -c)
    floor_out_bytes=$((floor_out_bytes + out))
  done
  total_rows=0
  for db in "${databases[@]}"; do
    total_rows=$((total_rows + $(sqlite3 "$db" "select count(*) from messages")))
  done
  printf 'result_bytes=%s\nfloor_out_bytes=%s\ntotal_rows=%s\n' \
    "$result_bytes" "$floor_out_bytes" "$total_rows" >"$sizes"
fi
# shellcheck disable=SC1090
. "$sizes"

# --- Measuring ---------------------------------------------------------------------------------

scratch=$(mktemp -d /dev/shm/tavrin-bench.XXXXXX)
trap 'rm -rf "$scratch"' EXIT

# timed LABEL COMMAND...: runs the command under /usr/bin/time -v, prints
# "wall_s rss_kib status cpu_s" (cpu: user + system, a check on a machine busy with other work).
timed() {
  local label=$1; shift
  local report=$scratch/time-$label
  /usr/bin/time -v -o "$report" "$@" >/dev/null 2>"$scratch/stderr-$label" || true
  awk -F': ' '
    /Elapsed \(wall clock\)/ {
      n = split($2, p, ":"); s = 0; for (i = 1; i <= n; i++) s = s * 60 + p[i]; wall = s }
    /Maximum resident set size/ { rss = $2 }
    /User time \(seconds\)|System time \(seconds\)/ { cpu += $2 }
    /Exit status/ { status = $2 }
    END { printf "%.3f %d %d %.2f\n", wall, rss, status, cpu }' "$report"
}

run_floor() {
  timed floor sh -c 'q=$1; shift; for db; do sqlite3 "$db" "$q" >/dev/null || exit 1; done' \
    floor "$query" "${databases[@]}"
}

# Prints "wall_s rss_kib status cpu_s output_bytes files".
run_export() {
  local out
  out=$(mktemp -d "$scratch/out.XXXXXX")
  local figures
  figures=$(timed export "$export_bin" --root "$tree/root" --out "$out" --quiet)
  local bytes files
  bytes=$(find "$out" -type f -printf '%s\n' | awk '{ s += $1 } END { print s + 0 }')
  files=$(find "$out" -type f | wc -l)
  rm -rf "$out"
  echo "$figures $bytes $files"
}

median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

load_before=$(cut -d' ' -f1-3 /proc/loadavg)
floor_walls=() floor_rsses=() floor_cpus=() export_walls=() export_rsses=() export_cpus=()
failed=0
export_bytes=0 export_files=0
for ((r = 1; r <= runs; r++)); do
  read -r wall rss status cpu < <(run_floor)
  [ "$status" = 0 ] || { say "floor run $r failed (status $status)"; failed=1; }
  floor_walls+=("$wall") floor_rsses+=("$rss") floor_cpus+=("$cpu")
  say "run $r: floor  ${wall} s, ${rss} KiB, cpu ${cpu} s"
  if [ $floor_only = 0 ]; then
    read -r wall rss status cpu export_bytes export_files < <(run_export)
    if [ "$status" != 0 ]; then
      say "export run $r failed (status $status):"
      sed 's/^/  /' "$scratch/stderr-export" >&2
      failed=1
    fi
    export_walls+=("$wall") export_rsses+=("$rss") export_cpus+=("$cpu")
    say "run $r: export ${wall} s, ${rss} KiB, cpu ${cpu} s, $export_files files"
  fi
done

# --- Report ------------------------------------------------------------------------------------

floor_wall=$(median "${floor_walls[@]}")
floor_rss=$(median "${floor_rsses[@]}")
floor_cpu=$(median "${floor_cpus[@]}")
mib() { awk -v b="$1" 'BEGIN { printf "%.1f", b / 1048576 }'; }

echo
echo "Export benchmark: $total_rows messages in $chats chats, ${#databases[@]} databases"
echo "  tree: $tree/root"
echo "  result of the query (UTF-8, 5 columns): $(mib "$result_bytes") MiB"
echo "  $runs runs per side, medians; LC_ALL=$LC_ALL TZ=$TZ"
# Wall times only mean something on an otherwise idle machine; cpu s is the check when it is not.
echo "  load average before / after: $load_before / $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
echo
printf '%-8s %7s %13s %10s %11s %11s %10s %7s %10s\n' side "wall s" "peak RSS MiB" "msg/s" \
  "output MiB" "wall ratio" "RSS ratio" "cpu s" "cpu ratio"
row() {  # side wall rss_kib output_bytes cpu
  awk -v side="$1" -v wall="$2" -v rss="$3" -v out="$4" -v cpu="$5" -v n="$total_rows" \
    -v fw="$floor_wall" -v fr="$floor_rss" -v fc="$floor_cpu" 'BEGIN {
      printf "%-8s %7.2f %13.1f %10.0f %11.1f %11.2f %10.2f %7.2f %10.2f\n", side, wall,
        rss / 1024, (wall > 0 ? n / wall : 0), out / 1048576, (fw > 0 ? wall / fw : 0),
        (fr > 0 ? rss / fr : 0), cpu, (fc > 0 ? cpu / fc : 0) }'
}
row floor "$floor_wall" "$floor_rss" "$floor_out_bytes" "$floor_cpu"

if [ $floor_only = 1 ]; then
  if [ -n "${export_missing:-}" ]; then echo "export   not built"; else echo "export   skipped (--floor-only)"; fi
  exit $((failed || ${export_missing:-0}))
fi

export_wall=$(median "${export_walls[@]}")
export_rss=$(median "${export_rsses[@]}")
export_cpu=$(median "${export_cpus[@]}")
row export "$export_wall" "$export_rss" "$export_bytes" "$export_cpu"
echo "  export wrote $export_files chat files"
echo

verdict=0
check() {  # description measured limit unit
  if awk -v m="$2" -v l="$3" 'BEGIN { exit !(m <= l) }'; then
    printf '%-52s %8.2f %s <= %8.2f %s  PASS\n' "$1" "$2" "$4" "$3" "$4"
  else
    printf '%-52s %8.2f %s >  %8.2f %s  MISS (by %.0f%%)\n' "$1" "$2" "$4" "$3" "$4" \
      "$(awk -v m="$2" -v l="$3" 'BEGIN { print (m / l - 1) * 100 }')"
    verdict=1
  fi
}
check "Target: export wall <= 1.3 x floor" "$export_wall" \
  "$(awk -v f="$floor_wall" 'BEGIN { print 1.3 * f }')" s
check "Target: export peak RSS <= 1.5 x result + 30 MiB" \
  "$(awk -v k="$export_rss" 'BEGIN { print k / 1024 }')" \
  "$(awk -v b="$result_bytes" 'BEGIN { print 1.5 * b / 1048576 + 30 }')" MiB
exit $((verdict || failed))
