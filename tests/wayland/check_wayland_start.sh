#!/usr/bin/env bash
# Starts the program natively on Wayland, under a headless weston, from a
# portable copy of the shipped tree: the window must map (the client acks
# the compositor's configure and commits a buffer to its toplevel), the
# scene must load without a QML warning, and a termination request must end
# it cleanly. Skipped (77) where weston or Qt's Wayland plugin is missing.
set -u
exe=$1
source_dir=$2
skip() { echo "SKIP: $*"; exit 77; }
fail() { echo "FAIL: $*"; [ -f "$work/log" ] && tail -40 "$work/log"; exit 1; }

command -v weston >/dev/null || skip "weston is not installed (Debian package weston)"
plugin_dir=$(qtpaths6 --query QT_INSTALL_PLUGINS 2>/dev/null || echo /usr/lib/x86_64-linux-gnu/qt6/plugins)
ls "$plugin_dir"/platforms/libqwayland-*.so >/dev/null 2>&1 || skip "Qt's Wayland platform plugin is missing (qt6-wayland)"

work=$(mktemp -d)
weston_pid=""
app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
  [ -n "$weston_pid" ] && kill "$weston_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -m 700 "$work/runtime" "$work/home"
export XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home"
unset DISPLAY DBUS_SESSION_BUS_ADDRESS

weston --backend=headless-backend.so --socket=halcyon-test --idle-time=0 --shell=desktop-shell.so \
  >"$work/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 600); do [ -S "$work/runtime/halcyon-test" ] && break; sleep 0.1; done
[ -S "$work/runtime/halcyon-test" ] || skip "weston cannot run here: $(tail -3 "$work/weston.log" | tr '\n' ' ')"

# A portable copy: the program and the shipped data tree side by side.
mkdir "$work/app"
cp "$exe" "$work/app/halcyon"
cp -r "$source_dir/data/modules" "$work/app/modules"

# Headless weston has no seat: Qt 6.4's Wayland text input then dereferences
# a missing input device while the scene creates its first text field, so
# the input method stays off here (a desktop always has a seat).
WAYLAND_DISPLAY=halcyon-test QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=client QT_FORCE_STDERR_LOGGING=1 QT_IM_MODULE=none \
  "$work/app/halcyon" --verbose >"$work/log" 2>&1 &
app_pid=$!
mapped=no
for _ in $(seq 600); do
  if grep -q 'xdg_surface@[0-9]*\.ack_configure' "$work/log" && grep -q 'wl_surface@[0-9]*\.attach' "$work/log"; then
    mapped=yes
    break
  fi
  kill -0 "$app_pid" 2>/dev/null || break
  sleep 0.1
done
[ "$mapped" = yes ] || fail "the window did not map"
# Let the scene finish loading (the start-up logo, one detection), then ask
# the program to end.
for _ in $(seq 600); do grep -q 'Device DisConnect' "$work/log" && break; sleep 0.1; done
grep -q 'Device DisConnect' "$work/log" || fail "start-up did not finish"
kill -TERM "$app_pid"
wait "$app_pid"
rc=$?
app_pid=""
[ "$rc" = 0 ] || fail "exit code $rc after SIGTERM"

# Qt's own messages, without the protocol trace.
grep -v '^\[ *[0-9.]*\] ' "$work/log" | grep -v '^ *->' >"$work/messages"
if grep -nE 'qrc:.*qml:[0-9]+|QML|Warning|warning|Failed to|Could not|Cannot' "$work/messages"; then
  fail "warnings while starting on Wayland"
fi
echo "Wayland start OK"
