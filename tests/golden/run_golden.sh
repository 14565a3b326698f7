#!/usr/bin/env bash
# Runs one golden trace: the script's "#!" line gives halcyon-sim's options,
# the neighbouring .out file the exact output expected. Every run starts
# from the shipped data tree of the source, never from the build folder's
# working copy, which running the program changes. A third argument names
# the working directory to use (tests/golden_disk/ puts it on a small disk).
set -u
sim=$1 script=$2
expected=${script%.sim}.out
opts=$(sed -n 's/^#!//p' "$script" | head -n 1)
data=$(cd "$(dirname "$0")/../../data/modules" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# shellcheck disable=SC2086
"$sim" $opts --data "$data" --workdir "${3:-$work/w}" "$script" >"$work/actual" 2>"$work/stderr"
rc=$?
if [ $rc -ne 0 ]; then
  echo "halcyon-sim exited with $rc"; cat "$work/stderr"
fi
if ! diff -u "$expected" "$work/actual"; then
  echo "golden trace differs: $script"
  exit 1
fi
exit $rc
