#!/usr/bin/env bash
# The tray as a user meets it on X11, with a real tray host (trayer) on a
# private X server and real clicks (xdotool): the title bar's close button
# hides the window to the tray, a single click on the icon brings it back,
# the menu's first entry "Show Halcyon" does too; without a tray the close
# button ends the program with code 0. Skipped (77) where the tools are
# missing. Then a StatusNotifier host that starts after the program.
set -u
exe=$1
source_dir=$2
skip() { echo "SKIP: $*"; exit 77; }
for tool in Xvfb trayer xdotool xwininfo dbus-daemon dbus-send; do
  command -v "$tool" >/dev/null || skip "$tool is not installed"
done
/usr/bin/python3 -c 'import dbus, gi' 2>/dev/null || skip "python3-dbus and python3-gi are not installed"

source "$source_dir/tests/lib/private_x.sh"
fail() { echo "FAIL: $*"; tail -20 "$work/log" 2>/dev/null; exit 1; }

mkdir -m 700 "$work/runtime" "$work/home"
export XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home" QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS
start_private_x

mkdir "$work/app"
cp "$exe" "$work/app/halcyon"
cp -r "$source_dir/data/modules" "$work/app/modules"

window() { xdotool search --name '^HALCYON GAMING MOUSE$' 2>/dev/null | head -n1; }
mapped() { xwininfo -id "$1" 2>/dev/null | grep -q 'IsViewable'; }
# The 1280 by 720 window (on a 1920 by 1080 screen) placed below the tray
# panel; its close button sits at the right end of the title bar. The scene
# takes input once its start-up lock (one second) has ended, so a click is
# repeated until it has an effect ($2: the condition that shows it).
close_button() {
  xdotool windowmove "$1" 0 100
  for _ in $(seq 20); do
    xdotool mousemove 1249 118 click 1
    for _ in $(seq 5); do eval "$2" && return 0; sleep 0.1; done
  done
  return 1
}

trayer --edge top >"$work/trayer.log" 2>&1 &
pids+=($!)
until_true 'xdotool search --class trayer >/dev/null 2>&1' || { cat "$work/trayer.log"; fail "trayer did not start"; }

"$work/app/halcyon" --verbose >"$work/log" 2>&1 &
app=$!
pids+=($app)
until_true '[ -n "$(window)" ] && mapped "$(window)"' || fail "the window did not show"
until_true 'grep -q "System tray found" "$work/log"' || fail "the icon is not in the tray"
win=$(window)
# The icon: the program's small window docked in the panel.
icon=$(xwininfo -root -tree | sed -n 's/^ *\(0x[0-9a-f]*\) "halcyon": ("halcyon" "halcyon")  2[0-9]x2[0-9]+.*/\1/p' | head -n1)
[ -n "$icon" ] || fail "no icon window in the panel"
read -r ix iy < <(xwininfo -id "$icon" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} END {print x, y}')

close_button "$win" '! mapped "$win"' || fail "the close button did not hide the window to the tray"
kill -0 "$app" 2>/dev/null || fail "hiding to the tray ended the program"
xdotool mousemove $((ix + 10)) $((iy + 10)) click 1
until_true 'mapped "$win"' || fail "a single click on the icon did not bring the window back"

close_button "$win" '! mapped "$win"' || fail "the window did not hide again"
xdotool mousemove $((ix + 10)) $((iy + 10)) click 3
sleep 0.5
# The menu opens at the pointer; its first entry is "Show Halcyon".
xdotool mousemove $((ix + 60)) $((iy + 21)) click 1
until_true 'mapped "$win"' || fail "\"Show Halcyon\" did not bring the window back"

kill -TERM "$app"
wait "$app"
rc=$?
[ "$rc" = 0 ] || fail "exit code $rc after SIGTERM"

# Without a tray: the close button ends the program.
kill "${pids[1]}"
until_true '! xdotool search --class trayer >/dev/null 2>&1' || fail "trayer did not end"
"$work/app/halcyon" --verbose >"$work/log" 2>&1 &
app=$!
pids+=($app)
until_true '[ -n "$(window)" ] && mapped "$(window)"' || fail "the window did not show without a tray"
grep -q "No system tray" "$work/log" || fail "a tray was found where there is none"
close_button "$(window)" '! kill -0 "$app" 2>/dev/null' || fail "the close button did not end the program without a tray"
wait "$app"
rc=$?
[ "$rc" = 0 ] || fail "exit code $rc after closing without a tray"

# So far there was no session bus: the program started none (D-Bus would
# have autolaunched one on this display, left running after the exit).
for p in $(pgrep -x 'dbus-daemon|dbus-launch'); do
  if tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qx "DISPLAY=$DISPLAY"; then
    kill "$p"
    fail "a D-Bus daemon was started for this display and left running"
  fi
done

# A StatusNotifier host that starts after the program, as at login (and
# the only kind of tray under Wayland): the icon reaches it, the window
# then hides to it, and a click on the icon brings it back.
exec 4>"$work/bus"
env -u DISPLAY dbus-daemon --session --nofork --print-address=4 >/dev/null 2>&1 &
pids+=($!)
until_true '[ -s "$work/bus" ]' || fail "dbus-daemon did not start"
export DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$work/bus")
"$work/app/halcyon" --verbose >"$work/log" 2>&1 &
app=$!
pids+=($app)
until_true '[ -n "$(window)" ] && mapped "$(window)"' || fail "the window did not show before the tray host"
grep -q "No system tray" "$work/log" || fail "a tray was found before the host started"
/usr/bin/python3 "$source_dir/tests/x11/sni_watcher.py" >"$work/sni" 2>&1 &
pids+=($!)
until_true 'grep -q "^item " "$work/sni"' || { cat "$work/sni"; fail "the icon did not reach the StatusNotifier host"; }
until_true 'grep -q "System tray found" "$work/log"' || fail "the program did not see the StatusNotifier host"
read -r _ service path _ < <(grep '^item ' "$work/sni" | head -n1)
win=$(window)
close_button "$win" '! mapped "$win"' || fail "the close button did not hide the window to the StatusNotifier tray"
dbus-send --session --print-reply --dest="$service" "$path" org.kde.StatusNotifierItem.Activate int32:0 int32:0 >/dev/null \
  || fail "the icon does not take a click"
until_true 'mapped "$win"' || fail "a click on the StatusNotifier icon did not bring the window back"
kill -TERM "$app"
wait "$app"
rc=$?
[ "$rc" = 0 ] || fail "exit code $rc after SIGTERM with a StatusNotifier tray"
echo "X11 tray OK"
