#!/usr/bin/env bash
# Runs one golden trace (NAME.sim beside NAME.out, as tests/golden/) with its
# working directory on a small file system of its own, so that the script's
# {"sim":"disk","fill":true} fills a real disk. Needs the right to mount a
# tmpfs (root, or a user namespace that grants it); skipped (77) otherwise.
set -u
sim=$1 script=$2
expected=${script%.sim}.out
opts=$(sed -n 's/^#!//p' "$script" | head -n 1)
data=$(cd "$(dirname "$0")/../../data/modules" && pwd)
work=$(mktemp -d)
disk=$work/disk
mkdir -p "$disk"
run_mounted() {
  # Room for the data tree twice over and a little more.
  local size=$(( $(du -sk "$data" | cut -f1) * 2 + 512 ))
  mount -t tmpfs -o size=${size}k halcyon-disk "$disk" || exit 77
  # shellcheck disable=SC2086
  "$sim" $opts --data "$data" --workdir "$disk/w" "$script" >"$work/actual" 2>"$work/stderr"
  local rc=$?
  umount "$disk"
  exit $rc
}
if [ "$(id -u)" = 0 ]; then
  (run_mounted)
else
  export -f run_mounted
  export sim script opts data work disk
  unshare -rm bash -c run_mounted 2>/dev/null
fi
rc=$?
if [ $rc -eq 77 ] || [ ! -f "$work/actual" ]; then
  rm -rf "$work"; echo "no small file system can be mounted here"; exit 77
fi
if [ $rc -ne 0 ]; then
  echo "halcyon-sim exited with $rc"; cat "$work/stderr"
fi
if ! diff -u "$expected" "$work/actual"; then
  echo "golden trace differs: $script"; rm -rf "$work"; exit 1
fi
rm -rf "$work"
exit $rc
