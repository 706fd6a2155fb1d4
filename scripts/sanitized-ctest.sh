#!/usr/bin/env bash
# Runs the suite in the sanitized build folder (the current one) with `$1` jobs.
# LeakSanitizer's own tracer now and then crashes as a test program ends, after every test in
# it has passed ("Tracer caught signal 11 ... LeakSanitizer has encountered a fatal error"):
# when that is in the output, the failed tests run once more, and what fails again stands.
set -uo pipefail
log=$(mktemp)
trap 'rm -f "$log"' EXIT
ctest --output-on-failure --timeout 60 -j"$1" 2>&1 | tee "$log"
status=${PIPESTATUS[0]}
if [ "$status" -ne 0 ] && grep -q "LeakSanitizer has encountered a fatal error" "$log"; then
    echo "LeakSanitizer's tracer crashed: the failed tests run once more"
    ctest --output-on-failure --timeout 60 --rerun-failed
    status=$?
fi
exit "$status"
