#!/bin/sh
# The full fault sweep of kx20ctl: every command that writes to the mouse, on
# both chip families, with the emulated mouse unplugged, no longer answering,
# or failing the one call, at every HID call the clean run makes (and one
# past the end). The plain test run (ctest -R test_faultsweep) samples the
# call numbers; this tries them all and prints the runs and time per command.
#
#     bench/bench_faultsweep.sh [BUILD_DIR]
set -eu
build=${1:-build}
test=$build/tests/test_faultsweep
if [ ! -x "$test" ]; then
    echo "no $test: build first (cmake --build $build)" >&2
    exit 2
fi
start=$(date +%s)
# A whole command may take minutes; Qt Test would stop it after five.
QTEST_FUNCTION_TIMEOUT=3600000 KX20_FAULT_SWEEP=full "$test" -maxwarnings 0 2>&1 | grep -E 'runs over|FAIL|Loc:|Totals'
echo "full sweep: $(($(date +%s) - start)) s"
