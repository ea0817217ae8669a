#!/bin/sh
# The long sweep of the macro editor's model test: many more seeds and
# steps of random user actions than the plain test run takes (ctest -R
# test_macromodel). Prints the seeds that failed and the time per step.
#
#     bench/bench_macromodel.sh [BUILD_DIR] [SEEDS] [STEPS]
set -eu
build=${1:-build}
seeds=${2:-200}
steps=${3:-120}
test=$build/tests/test_macromodel
if [ ! -x "$test" ]; then
    echo "no $test: build first (cmake --build $build)" >&2
    exit 2
fi
start=$(date +%s%N)
status=0
QT_QPA_PLATFORM=offscreen QTEST_FUNCTION_TIMEOUT=3600000 KX20_MODEL_SEEDS=$seeds KX20_MODEL_STEPS=$steps \
    "$test" -maxwarnings 0 2>&1 | grep -A1 -E '^(FAIL|Totals)' | grep -v '^--' || status=$?
elapsed=$((($(date +%s%N) - start) / 1000000))
echo "seeds: $seeds, steps per seed: $steps, $elapsed ms, $((elapsed * 1000 / (seeds * steps))) us per step"
