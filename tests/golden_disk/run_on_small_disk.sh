#!/usr/bin/env bash
# Runs one golden trace (NAME.sim beside NAME.out, as tests/golden/) with its
# working directory on a small file system of its own, so that the script's
# {"sim":"disk","fill":true} fills a real disk. Needs the right to mount a
# tmpfs (root, or a user namespace that grants it); skipped (77) otherwise.
set -u
sim=$1 script=$2
here=$(cd "$(dirname "$0")" && pwd)
data=$here/../../data/modules
disk=$(mktemp -d) mounted=$(mktemp)
trap 'rmdir "$disk"; rm -f "$mounted"' EXIT
# Room for the data tree twice over and a little more.
size=$(( $(du -sk "$data" | cut -f1) * 2 + 512 ))
run_mounted() {
  mount -t tmpfs -o size=${size}k halcyon-disk "$disk" || exit 77
  echo yes >"$mounted"
  bash "$here/../golden/run_golden.sh" "$sim" "$script" "$disk/w"
  local rc=$?
  umount "$disk"
  exit $rc
}
if [ "$(id -u)" = 0 ]; then
  (run_mounted)
else
  export -f run_mounted
  export sim script here disk mounted size
  unshare -rm bash -c run_mounted 2>/dev/null
fi
rc=$?
if [ ! -s "$mounted" ]; then
  echo "no small file system can be mounted here"; exit 77
fi
exit $rc
