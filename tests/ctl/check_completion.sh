#!/usr/bin/env bash
# halcyonctl's bash completion in a real bash with bash-completion loaded,
# against the tool on its own with the virtual mouse plugged in, on a
# private session bus watched by dbus-monitor, in an interactive bash on a
# terminal as a user types: file
# names with blanks are offered whole. The tool runs for "macro export",
# and nothing it does may send a desktop notification. Skipped (77) where
# bash-completion or dbus is missing.
set -u
bin=$1 src=$2
skip() { echo "SKIP: $*"; exit 77; }
completion=/usr/share/bash-completion/bash_completion
[ -f "$completion" ] || skip "bash-completion is not installed"
for tool in dbus-run-session dbus-monitor; do command -v $tool >/dev/null || skip "$tool is missing"; done
[ -z "${HALCYON_COMPLETION_ON_BUS:-}" ] && exec dbus-run-session -- env HALCYON_COMPLETION_ON_BUS=1 bash "$0" "$@"

work=$(mktemp -d)
monitor=
cleanup() { [ -n "$monitor" ] && kill "$monitor" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }
export QT_QPA_PLATFORM=offscreen
unset DISPLAY WAYLAND_DISPLAY

# The tool as installed: `halcyonctl` on the PATH, its data tree beside it.
mkdir -p "$work/bin" "$work/here/saved profiles"
cp "$bin/halcyonctl-virtual" "$work/bin/"
cp -r "$src/data/modules" "$work/bin/modules"
chmod -R u+w "$work/bin/modules"
printf '#!/bin/sh\nexec "%s/bin/halcyonctl-virtual" "$@"\n' "$work" >"$work/bin/halcyonctl"
chmod +x "$work/bin/halcyonctl"
export PATH="$work/bin:$PATH"
touch "$work/here/my profile.pf" "$work/here/other.pf" "$work/here/saved profiles/p1.pf"
printf '[config]\nindex=0\ntotal=1\nrepeat=1\ndid=-1\n\n[macro]\n0="1,A"\n' >"$work/here/Fire burst.mc"
(cd "$work/here" && halcyonctl macro import "Fire burst.mc" && halcyonctl macro list) | grep -qx 'Fire burst' \
  || fail "cannot prepare the macro \"Fire burst\""
halcyonctl rule add "Super Kart" 1 && halcyonctl rule add Tester 1 --class || fail "cannot prepare the rules"

dbus-monitor --session "interface='org.freedesktop.Notifications'" >"$work/notices" 2>&1 &
monitor=$!
for _ in $(seq 600); do grep -q 'NameAcquired\|signal' "$work/notices" && break; sleep 0.1; done

# Each row: what is typed before Tab, then the words of the command line
# after Tab, as bash hands them to a program ("[w1][w2]..."). An
# interactive bash on a terminal does the completing, as for a user: the
# line is typed, Tab pressed, and the completed line run as the arguments
# of printf.
cat >"$work/table" <<'TABLE'
halcyonctl pro	[halcyonctl][profile]
halcyonctl profile sw	[halcyonctl][profile][switch]
halcyonctl profile import my	[halcyonctl][profile][import][my profile.pf]
halcyonctl profile import my\ p	[halcyonctl][profile][import][my profile.pf]
halcyonctl profile import "my p	[halcyonctl][profile][import][my profile.pf]
halcyonctl profile import sav	[halcyonctl][profile][import][saved profiles/]
halcyonctl profile import saved\ profiles/	[halcyonctl][profile][import][saved profiles/p1.pf]
halcyonctl profile export 2 o	[halcyonctl][profile][export][2][other.pf]
halcyonctl macro import Fi	[halcyonctl][macro][import][Fire burst.mc]
halcyonctl macro export Fi	[halcyonctl][macro][export][Fire burst]
halcyonctl macro export "Fire burst" my	[halcyonctl][macro][export][Fire burst][my profile.pf]
halcyonctl dpi st	[halcyonctl][dpi][stage]
halcyonctl ru	[halcyonctl][rule]
halcyonctl rule rem	[halcyonctl][rule][remove]
halcyonctl rule remove Sup	[halcyonctl][rule][remove][Super Kart]
halcyonctl rule remove Tes	[halcyonctl][rule][remove][Tester]
halcyonctl rule add x 1 --c	[halcyonctl][rule][add][x][1][--class]
halcyonctl auto of	[halcyonctl][auto][off]
TABLE
(cd "$work/here" && python3 - "$completion" "$src/tools/halcyonctl/halcyonctl.bash" "$work/table") <<'PY'
import os, pty, re, select, signal, sys, time

completion, script, table = sys.argv[1:4]
failures = 0
for row in open(table, encoding="utf-8").read().splitlines():
    typed, expected = row.split("\t")
    pid, fd = pty.fork()
    if pid == 0:
        os.execvpe("bash", ["bash", "--norc", "--noprofile", "-i"],
                   dict(os.environ, PS1="$ ", INPUTRC="/dev/null", TERM="dumb"))
    keys = (f"source {completion}; source {script}; bind 'set bell-style none'\r"
            + typed + "\t" + "\x01" + 'printf "[%s]" ' + "\x05" + "; echo __END__\r" + "exit\r")
    os.write(fd, keys.encode())
    output, deadline = b"", time.monotonic() + 60
    while b"]__END__" not in output and time.monotonic() < deadline:
        if select.select([fd], [], [], 1)[0]:
            try:
                output += os.read(fd, 4096)
            except OSError:
                break
    # A line left open (an unclosed quote) keeps the shell waiting.
    os.kill(pid, signal.SIGKILL)
    os.waitpid(pid, 0)
    os.close(fd)
    found = re.search(rb"(\[[^\r\n]*\])__END__", output)
    actual = found.group(1).decode() if found else "(nothing)"
    if actual != expected:
        print(f"FAIL: '{typed}' + Tab gives {actual}, expected {expected}")
        failures += 1
sys.exit(1 if failures else 0)
PY
completed=$?

# The tool ran with a mouse plugged in several times; no notice was sent.
if grep -q 'member=Notify' "$work/notices"; then
  grep -A6 'member=Notify' "$work/notices"
  fail "halcyonctl sent a desktop notification"
fi
[ "$completed" = 0 ] || fail "completion differs (rows above)"
echo "completion OK"
