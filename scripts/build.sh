#!/usr/bin/env bash
# Configures and builds the project into ./build (or $JUNCHENG_BUILD_DIR). Extra arguments
# name the targets to build (all when none).
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="${JUNCHENG_BUILD_DIR:-$top/build}"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
ninja -C "$build" "$@"
