#!/usr/bin/env bash
# Installs what is missing, builds everything, starts a private PostgreSQL server, runs
# every test (the database suites on SQLite and on PostgreSQL) and stops the server again,
# also when tests fail.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="${JUNCHENG_BUILD_DIR:-$top/build}"
"$top/scripts/install-deps.sh"
"$top/scripts/build.sh"
pgdir="$build/pg"
trap '"$top/scripts/pg-server.sh" stop "$pgdir"' EXIT
export JUNCHENG_TEST_PG="$("$top/scripts/pg-server.sh" start "$pgdir")"
echo "PostgreSQL for tests: $JUNCHENG_TEST_PG"
export PATH="$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -n 1):$PATH"
cd "$build"
ctest --output-on-failure -j2 "$@"
