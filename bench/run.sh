#!/usr/bin/env bash
# Builds the benchmark (build-bench, -DJUNCHENG_BENCH=ON) and runs it: loads the generated
# data set of a five-branch shop when it is not loaded yet, then times the program's
# services against their hand-written floors and prints the table for each backend.
#
#   bench/run.sh [--scale 1|10|1,10] [--backend sqlite|pg|both] [--keep-pg] [--no-build] [juncheng-bench options]
#
# --scale 1,10 loads both data sets and times them interleaved, which is the way to
# compare ten years with one on a shared machine.
# PostgreSQL: the server named by JUNCHENG_BENCH_PG or JUNCHENG_TEST_PG (libpq keywords),
# else a private one in build-bench/pg (scripts/pg-server.sh), stopped at the end unless
# --keep-pg; a kept server is used again by the next run, with its data set still loaded.
# Figures go to build-bench/results/bench-y<scale>.json; a ten-year-only run is also set
# beside the latest one-year figures.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="${JUNCHENG_BENCH_BUILD_DIR:-$top/build-bench}"
scale=1
backend=both
keep=""
build_it=1
extra=()
while [ $# -gt 0 ]; do
  case "$1" in
    --scale) scale="$2"; shift 2 ;;
    --backend) backend="$2"; shift 2 ;;
    --keep-pg) keep=1; shift ;;
    --no-build) build_it=""; shift ;;   # time the binary as last built

    -h|--help) sed -n '2,17p' "$0"; exit 0 ;;
    *) extra+=("$1"); shift ;;
  esac
done
case "$backend" in sqlite|pg|both) ;; *) echo "--backend must be sqlite, pg or both" >&2; exit 2 ;; esac

if [ -n "$build_it" ]; then
  cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DJUNCHENG_BENCH=ON >/dev/null
  ninja -C "$build" juncheng-bench
fi

pgargs=()
if [ "$backend" != sqlite ]; then
  conninfo="${JUNCHENG_BENCH_PG:-${JUNCHENG_TEST_PG:-}}"
  if [ -z "$conninfo" ]; then
    pgbin="$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -n 1)"
    socket="$(readlink -f "$build/pg/server" 2>/dev/null || true)/socket"
    if [ -S "$socket/.s.PGSQL.55432" ] && "$pgbin/pg_isready" -q -h "$socket" -p 55432; then
      conninfo="host=$socket port=55432 user=postgres dbname=postgres"   # kept by an earlier run
    else
      conninfo="$("$top/scripts/pg-server.sh" start "$build/pg")"
    fi
    [ -n "$keep" ] || trap '"$top/scripts/pg-server.sh" stop "$build/pg"' EXIT
  fi
  pgargs=(--pg "$conninfo")
fi

mkdir -p "$build/results" "$build/data"
json="$build/results/bench-y${scale//,/+}.json"
compare=()
if [ "$scale" = 10 ] && [ -f "$build/results/bench-y1.json" ]; then
  compare=(--compare "$build/results/bench-y1.json")
fi
"$build/bin/juncheng-bench" --scale "$scale" --backend "$backend" --data "$build/data" --json "$json" \
  "${pgargs[@]}" "${compare[@]}" "${extra[@]}"
