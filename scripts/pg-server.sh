#!/usr/bin/env bash
# Starts or stops a private PostgreSQL server for the tests.
#   pg-server.sh start DIR   -> prints the connection string (libpq keywords) on stdout
#   pg-server.sh stop DIR
# The server listens only on a Unix socket in DIR/socket; its data lives in DIR/data.
# As root it runs as the 'postgres' user, since the server refuses to run as root.
set -euo pipefail
cmd="$1"; dir="$2"
bindir="$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)"
[ -x "$bindir/pg_ctl" ] || { echo "PostgreSQL server binaries not found" >&2; exit 1; }
as_owner() {
  if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}
port=55432
case "$cmd" in
  start)
    mkdir -p "$dir"
    dir="$(cd "$dir" && pwd)"
    # The server user must reach the folder, and a socket path must stay short.
    if [ "$(id -u)" -eq 0 ] && ! runuser -u postgres -- test -x "$dir" 2>/dev/null || [ ${#dir} -gt 80 ]; then
      alt="$(mktemp -d /tmp/juncheng-pg.XXXXXX)"
      ln -sfn "$alt" "$dir/server"
      dir="$alt"
    else
      mkdir -p "$dir/server"; dir="$dir/server"
    fi
    [ "$(id -u)" -eq 0 ] && chown postgres:postgres "$dir"
    chmod 700 "$dir"
    rm -rf "$dir/data" "$dir/socket"
    as_owner mkdir -p "$dir/socket"
    as_owner "$bindir/initdb" -D "$dir/data" -U postgres --auth=trust --encoding=UTF8 --locale=C.UTF-8 >"$dir/initdb.log" 2>&1 \
      || { cat "$dir/initdb.log" >&2; exit 1; }
    as_owner "$bindir/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 \
      -o "-c listen_addresses='' -k $dir/socket -p $port -c fsync=off -c max_connections=200" start >/dev/null \
      || { cat "$dir/server.log" >&2; exit 1; }
    chmod 755 "$dir" "$dir/socket" 2>/dev/null || true
    echo "host=$dir/socket port=$port user=postgres dbname=postgres"
    ;;
  stop)
    [ -L "$dir/server" ] && dir="$(readlink "$dir/server")" || dir="$dir/server"
    if [ -d "$dir/data" ]; then
      as_owner "$bindir/pg_ctl" -D "$dir/data" -m fast -w stop >/dev/null 2>&1 || true
    fi
    ;;
  *) echo "usage: $0 start|stop DIR" >&2; exit 2 ;;
esac
