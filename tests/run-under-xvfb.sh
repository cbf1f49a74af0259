#!/usr/bin/env bash
# Runs a command on a private Xvfb display with Qt's X11 platform, for tests of what only a
# real X server does (moving the pointer, mapping windows).
# usage: run-under-xvfb.sh COMMAND [ARGS...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../scripts/xvfb-lib.sh"
start_xvfb
trap stop_xvfb EXIT
QT_QPA_PLATFORM=xcb "$@"
