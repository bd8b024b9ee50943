#!/usr/bin/env bash
# Renders the login form and the main window of a demo database into docs/screenshots
# under a virtual X display.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/scripts/install-deps.sh"
"$top/scripts/build.sh" juncheng-shots
cd "$top"
xvfb-run -a -s "-screen 0 1280x900x24" "${JUNCHENG_BUILD_DIR:-$top/build}/bin/juncheng-shots" docs/screenshots
ls -l docs/screenshots
