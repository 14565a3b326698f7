#!/usr/bin/env bash
# Runs one fuzz target for a bounded time: the checked-in seeds are read,
# new inputs go to a working corpus in the build folder, and a crashing
# input is kept as <build>/fuzz/artifacts/<target>-crash-<hash>.
# Usage: run_fuzz.sh TARGET SEED_DIR OUT_DIR SECONDS
set -euo pipefail
target=$1 seeds=$2 out=$3 seconds=$4
name=$(basename "$target")
mkdir -p "$out/corpus/$name" "$out/artifacts"
export QT_QPA_PLATFORM=offscreen
# Qt keeps some memory to the end of the process on purpose; leaks are the
# sanitized suite's concern, with its suppressions.
rc=0
"$target" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=4096 -detect_leaks=0 -print_final_stats=1 \
  -artifact_prefix="$out/artifacts/$name-" "$out/corpus/$name" "$seeds" >"$out/$name.log" 2>&1 || rc=$?
# The progress lines are many; the summary and any report are at the end.
grep -v '^#[0-9]' "$out/$name.log" | tail -n 60
if [ "$rc" -ne 0 ]; then
  echo "fuzz target $name failed (exit $rc); reproducer(s):"
  ls -1 "$out/artifacts/$name-"* 2>/dev/null || true
  echo "re-run one with: $target <file>"
fi
exit "$rc"
