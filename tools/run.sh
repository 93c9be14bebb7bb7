#!/bin/bash
# Builds everything and starts Dispcraft on the program directory laid out in build/bin.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build
if [ -x build/bin/dispcraft ]; then
    exec build/bin/dispcraft "$@"
fi
# Until the desktop program is there, show what the command-line tool makes of an example.
exec build/bin/dispcraft-cli info build/examples/two-port-demo.trn
