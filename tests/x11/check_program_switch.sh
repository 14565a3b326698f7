#!/usr/bin/env bash
# The profile follows the window in front, on a private X server with a real
# window manager (openbox, which keeps the root window's _NET_ACTIVE_WINDOW)
# and three plain clients of known executable and window class, activated by
# xdotool as a user's click or Alt+Tab would. halcyon-demo's virtual mouse
# logs what it receives (--mouse-log); the profiles differ in their report
# rate (Standard 1000 Hz, Sniper 125 Hz, Racing 250 Hz: the mouse holds 1, 8
# and 4), so the log tells which profile the mouse holds. Rules: the executable "racer" gets Sniper, the window class
# "Painter" gets Racing, "notes" has none (the default, Standard). Shown for
# both families: each rule, the default coming back, and an Alt+Tab across
# both ruled programs and back that sends nothing. Skipped (77) where the
# tools are missing.
set -u
demo=$1
client=$2
source_dir=$3
skip() { echo "SKIP: $*"; exit 77; }
for tool in Xvfb openbox xdotool xprop; do
  command -v "$tool" >/dev/null || skip "$tool is not installed"
done

source "$source_dir/tests/lib/private_x.sh"
fail() { echo "FAIL: $*"; tail -20 "$work/app/log" 2>/dev/null; tail -30 "$work/mouse.log" 2>/dev/null; exit 1; }

mkdir -m 700 "$work/runtime" "$work/home"
export XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home" QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS
start_private_x

openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)
until_true 'xprop -root _NET_SUPPORTED 2>/dev/null | grep -q _NET_ACTIVE_WINDOW' || { cat "$work/openbox.log"; fail "openbox did not start"; }

# Three programs: copies (not links: the executable's name is that of the
# file the process runs) of one client under three names.
mkdir "$work/bin"
for name in racer painter notes; do
  cp "$client" "$work/bin/$name"
done
"$work/bin/racer" racer Racer 2>/dev/null & pids+=($!)
"$work/bin/painter" painter Painter 2>/dev/null & pids+=($!)
"$work/bin/notes" notes Notes 2>/dev/null & pids+=($!)
window_of() { xdotool search --classname "^$1\$" 2>/dev/null | head -n1; }
until_true '[ -n "$(window_of racer)" ] && [ -n "$(window_of painter)" ] && [ -n "$(window_of notes)" ]' \
  || fail "the clients did not show"
racer=$(window_of racer) painter=$(window_of painter) notes=$(window_of notes)

# The report rate the mouse holds: from its last logged state.
rate() { grep '^state ' "$work/mouse.log" 2>/dev/null | tail -n1 | sed -n 's/.*"reportRate":\([0-9]*\).*/\1/p'; }
# The report rates of the states logged after line $1, in order, repeats
# folded: what the mouse went through.
rates_since() {
  tail -n +"$(($1 + 1))" "$work/mouse.log" | sed -n 's/^state .*"reportRate":\([0-9]*\).*/\1/p' | uniq | tr '\n' ' '
}
activate() { xdotool windowactivate "$1" 2>/dev/null; }
# Activates a window and waits for the mouse to hold a report rate.
expect_rate() {
  activate "$1"
  until_true "[ \"\$(rate)\" = $2 ]" || fail "$3 (report rate $(rate), expected $2)"
}

for family in 553 560; do
  rm -rf "$work/app" && mkdir "$work/app"
  cp "$demo" "$work/app/halcyon-demo"
  cp -r "$source_dir/data/modules" "$work/app/modules"
  setting="$work/app/modules/setting"
  sed -i 's/^reportRate=.*/reportRate=0/' "$setting/p2.bin"
  sed -i 's/^reportRate=.*/reportRate=1/' "$setting/p3.bin"
  sed -i 's/^profileName=.*/profileName=Standard0, Sniper1, Racing2/' "$setting/name.bin"
  printf '\n[programRules]\nautoSwitch=true\nnotice=true\ndefaultProfile=1\ncount=2\n%s\n%s\n%s\n%s\n%s\n%s\n' \
    program1=racer match1=executable profile1=2 program2=Painter match2=class profile2=3 >>"$setting/apConfig.bin"
  : >"$work/mouse.log"

  "$work/app/halcyon-demo" --family "$family" --mouse-log "$work/mouse.log" >"$work/app/log" 2>&1 &
  app=$!
  pids+=($app)
  until_true '[ -n "$(xdotool search --name "^HALCYON GAMING MOUSE\$" 2>/dev/null)" ]' || fail "$family: the window did not show"
  until_true '[ -n "$(rate)" ]' || fail "$family: the mouse was not found"

  expect_rate "$racer" 8 "$family: racer in front did not bring its profile (by executable)"
  expect_rate "$notes" 1 "$family: a program without a rule did not bring back the default"
  expect_rate "$painter" 4 "$family: painter in front did not bring its profile (by window class)"
  expect_rate "$notes" 1 "$family: the default did not come back after painter"

  # Alt+Tab: racer, painter and back to notes in one quick go, each in
  # front for about 50 ms (well under the half second a program must stay
  # there, and long enough for each to be seen in front).
  before=$(wc -l <"$work/mouse.log")
  xdotool windowactivate --sync "$racer" sleep 0.05 windowactivate --sync "$painter" sleep 0.05 \
    windowactivate --sync "$notes" 2>/dev/null
  until_true '[ "$(xprop -root _NET_ACTIVE_WINDOW | sed "s/.*# //")" = "$(printf 0x%x "$notes")" ]' \
    || fail "$family: notes did not come back to the front"
  # Then painter for good: the mouse must go from Standard (whose last
  # commands may still be logging) to Racing and nowhere else on the way (a
  # switch for the Alt+Tab would show Sniper, or Racing before Standard).
  expect_rate "$painter" 4 "$family: painter in front after the Alt+Tab did not bring its profile"
  seen=$(rates_since "$before")
  [[ "$seen" =~ ^(1\ )?4\ $ ]] || fail "$family: the Alt+Tab reached the mouse (report rates since: $seen)"

  kill -TERM "$app"
  wait "$app" 2>/dev/null
done
echo "X11 program switching OK"
