#!/usr/bin/env bash
# The window as assistive technology meets it: halcyon-demo on a private X
# server with a private session bus and the accessibility bus (at-spi2-core),
# read through AT-SPI by tests/a11y/check_tree.py, in English and in German.
# Skipped (77) where Xvfb, D-Bus, at-spi2-core or pyatspi are missing.
set -u
exe=$1
source_dir=$2
shift 2
skip() { echo "SKIP: $*"; exit 77; }
for tool in Xvfb xdpyinfo dbus-run-session; do
  command -v "$tool" >/dev/null || skip "$tool is not installed"
done
[ -x /usr/libexec/at-spi-bus-launcher ] || skip "at-spi2-core is not installed"
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || skip "python3-pyatspi is not installed"

source "$source_dir/tests/lib/private_x.sh"

mkdir -m 700 "$work/runtime" "$work/home"
export XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home" QT_QPA_PLATFORM=xcb
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 NO_AT_BRIDGE=0
unset WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS
# The server never resets (start_private_x): the accessibility bus
# launcher's short X connection would otherwise reset it just as the
# program connects.
start_private_x
until_true "xdpyinfo >/dev/null 2>&1" || skip "Xvfb does not answer"

mkdir "$work/app"
cp "$exe" "$work/app/halcyon-demo"
cp -r "$source_dir/data/modules" "$work/app/modules"
chmod -R u+w "$work/app/modules"

# Everything else runs inside one private session bus; the accessibility
# bus starts on demand through it.
dbus-run-session -- /usr/bin/python3 "$source_dir/tests/a11y/check_tree.py" "$work/app" "$@"
