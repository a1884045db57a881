#!/usr/bin/env bash
# Set up, build and start the program.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
if [ -x build/bin/orvane2 ]; then
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
        echo "カナリエ needs a graphical display (DISPLAY or WAYLAND_DISPLAY is not set)." >&2
        echo "The headless tool is build/bin/orvane2-cli." >&2
        exit 1
    fi
    exec build/bin/orvane2 "$@"
fi
exec build/bin/orvane2-cli --help
