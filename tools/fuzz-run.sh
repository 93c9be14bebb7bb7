#!/bin/bash
# Runs the libFuzzer targets one at a time (at low priority) from their seed corpora, for a
# number of inputs or of seconds each, and prints a table: inputs, inputs a second, coverage
# (edges and features) and findings. Inputs that crash, leak, time out or run out of memory are
# kept in BUILD/fuzz-findings/TARGET/; the exit status is 1 when there is any.
#
#   tools/fuzz-run.sh [--runs N | --seconds S] [--build DIR] [TARGET...]
#
# The targets are built by: cmake -S . -B build-fuzz -G Ninja -DCMAKE_C_COMPILER=clang-16
#   -DCMAKE_CXX_COMPILER=clang++-16 -DDISPCRAFT_FUZZ=ON -DDISPCRAFT_GUI=OFF -DDISPCRAFT_TESTS=OFF
#   -DDISPCRAFT_BENCH=OFF && cmake --build build-fuzz
set -euo pipefail
cd "$(dirname "$0")/.."

build=build-fuzz
limit=(-runs=100000)
targets=()
while [ $# -gt 0 ]; do
    case "$1" in
        --runs) limit=(-runs="$2"); shift 2 ;;
        --seconds) limit=(-max_total_time="$2"); shift 2 ;;
        --build) build="$2"; shift 2 ;;
        -h|--help) sed -n '2,12p' "$0"; exit 0 ;;
        -*) echo "fuzz-run: unknown option $1" >&2; exit 2 ;;
        *) targets+=("$1"); shift ;;
    esac
done
if [ ${#targets[@]} -eq 0 ]; then
    for f in "$build"/bin/*Fuzzer; do
        [ -x "$f" ] && targets+=("$(basename "$f")")
    done
fi
if [ ${#targets[@]} -eq 0 ]; then
    echo "fuzz-run: no fuzz targets in $build/bin" >&2
    exit 2
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
total_findings=0
rows=()
for name in "${targets[@]}"; do
    fuzzer="$build/bin/$name"
    corpus="$work/$name"
    mkdir -p "$corpus"
    if [ -d "fuzz/corpus/$name" ]; then
        cp -r "fuzz/corpus/$name/." "$corpus/"
    fi
    findings="$build/fuzz-findings/$name"
    mkdir -p "$findings"
    before=$(find "$findings" -type f | wc -l)
    log="$work/$name.log"
    echo "-- $name ${limit[*]}" >&2
    start=$(date +%s%N)
    nice -n 10 "$fuzzer" "${limit[@]}" -timeout=25 -print_final_stats=1 \
        -artifact_prefix="$findings/" "$corpus" >"$log" 2>&1 || true
    elapsed_ms=$(( ($(date +%s%N) - start) / 1000000 ))
    inputs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    # Inputs a second over the whole run, loading the seeds included.
    speed=$(( ${inputs:-0} * 1000 / (elapsed_ms > 0 ? elapsed_ms : 1) ))
    cov=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 | cut -d' ' -f2)
    ft=$(grep -o 'ft: [0-9]*' "$log" | tail -n 1 | cut -d' ' -f2)
    after=$(find "$findings" -type f \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' \
        -o -name 'oom-*' \) | wc -l)
    found=$((after - before))
    if [ "$found" -gt 0 ] || ! grep -q '^stat::number_of_executed_units' "$log"; then
        tail -n 40 "$log" >&2
        found=$((found > 0 ? found : 1))
    fi
    total_findings=$((total_findings + found))
    rows+=("$(printf '%-22s %12s %10s %7s %8s %9s' "$name" "${inputs:-?}" "${speed:-?}" \
        "${cov:-?}" "${ft:-?}" "$found")")
done

printf '%-22s %12s %10s %7s %8s %9s\n' target inputs "inputs/s" edges features findings
for r in "${rows[@]}"; do
    echo "$r"
done
[ "$total_findings" -eq 0 ]
