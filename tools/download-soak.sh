#!/bin/bash
# Randomized faulted downloads from dispcraft-cli to dispcraft-panel, counted against what the
# download protocol says must happen (see tools/DownloadSoak.cpp). Arguments go to the program:
#   tools/download-soak.sh --transfers 1000 --jobs 4 [--seed S] [--verbose]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
cmake --build "$build" --target dispcraft-download-soak >/dev/null
exec "$build/bin/dispcraft-download-soak" "$@"
