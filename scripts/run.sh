#!/usr/bin/env bash
# Installs what is missing, builds, creates the embedded SQLite database from the blank
# database when it does not exist yet (--demo: with the demo data set), starts the program.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
demo=""
for a in "$@"; do
  case "$a" in
    --demo) demo="--demo" ;;
    *) echo "usage: $0 [--demo]" >&2; exit 2 ;;
  esac
done
"$top/scripts/install-deps.sh"
"$top/scripts/build.sh" juncheng juncheng-admin
bin="${JUNCHENG_BUILD_DIR:-$top/build}/bin"
data="${XDG_DATA_HOME:-$HOME/.local/share}/juncheng"
db="$data/ve0z160_db.sqlite"
mkdir -p "$data"
if [ ! -f "$db" ]; then
  "$bin/juncheng-admin" create --sqlite "$db" $demo
elif [ -n "$demo" ]; then
  echo "数据库 $db 已经存在, 未装入演示数据 (删除该文件后再运行可重新建立)."
fi
exec "$bin/juncheng"
