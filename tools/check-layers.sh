#!/bin/bash
# Fails when an include points up the layer order. Each line of LAYERS is one layer, lowest
# first; a file may include its own layer and any layer on an earlier line. Directories of the
# core are named by their folder under src/core, the programs by their folder under src.
set -euo pipefail
cd "$(dirname "$0")/.."

LAYERS=(
    "base"
    "text"
    "objects"
    "model"
    "config"
    "lamp"
    "image"
    "editor"
    "forms"
    "comm"
    "document"
    "sim"
    "report"
    "platform"
    "app cli panel lampgen"
)

rank_of() {
    local name=$1 i
    for i in "${!LAYERS[@]}"; do
        for layer in ${LAYERS[$i]}; do
            if [ "$layer" = "$name" ]; then
                echo "$i"
                return
            fi
        done
    done
    echo "-1"
}

# The layer a source file belongs to: its folder under src/core, or under src.
layer_of_file() {
    local path=$1
    case "$path" in
    src/core/*) path=${path#src/core/} ;;
    src/*) path=${path#src/} ;;
    esac
    echo "${path%%/*}"
}

failures=0
while IFS= read -r file; do
    from=$(layer_of_file "$file")
    from_rank=$(rank_of "$from")
    if [ "$from_rank" -lt 0 ]; then
        echo "check-layers: $file: folder '$from' has no place in the layer order" >&2
        failures=$((failures + 1))
        continue
    fi
    while IFS= read -r line; do
        number=${line%%:*}
        target=$(sed -E 's/^[0-9]+:#include "([^/"]+)\/.*/\1/' <<<"$line")
        to_rank=$(rank_of "$target")
        if [ "$to_rank" -lt 0 ]; then
            continue # a header beside the file, or a library's own
        fi
        if [ "$to_rank" -gt "$from_rank" ]; then
            echo "$file:$number: '$from' includes '$target', which lies above it" >&2
            failures=$((failures + 1))
        fi
    done < <(grep -n -E '^#include "[^/"]+/' "$file" || true)
done < <(git ls-files 'src/*.cpp' 'src/*.h')

if [ "$failures" -gt 0 ]; then
    echo "check-layers: $failures include(s) against the layer order" >&2
    exit 1
fi
echo "check-layers: every include follows the layer order"
