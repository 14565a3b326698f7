#!/usr/bin/env bash
# Halcyon among two local users. A throwaway user ("victim") runs
# halcyon-demo and halcyonctl; another throwaway user and root try to stand
# in for the victim's running program: a folder squatted under the victim's
# name, a socket of theirs where the victim's program listens, a plain file
# there, a lock file of theirs, links of theirs where the victim exports.
# The victim's program must start and say so, halcyonctl must send the
# impostor nothing, and the victim's files must stay as they were.
# Needs root (to make the users); skipped otherwise.
set -u
bin=$1 src=$2
skip() { echo "SKIP: $*"; exit 77; }
[ "$(id -u)" = 0 ] || skip "needs root to create throwaway users"
for tool in useradd userdel setpriv perl mkfifo; do
  command -v "$tool" >/dev/null || skip "$tool is missing"
done

# Accounts left by an earlier run that was killed before its clean-up
# (named after that run's process id, which no longer runs).
for u in $(getent passwd | cut -d: -f1 | grep -E '^hcy[vo][0-9]+$'); do
  kill -0 "${u#hcy?}" 2>/dev/null || userdel "$u" 2>/dev/null
done

victim=hcyv$$ other=hcyo$$
work=$(mktemp -d) pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null; done
  for u in "$victim" "$other"; do userdel "$u" 2>/dev/null; done
  [ -n "${vuid:-}" ] && rm -rf "/tmp/halcyon-$vuid"
  rm -rf "$work"
}
trap cleanup EXIT
mkuser() {
  # /etc/passwd may be locked by another test making its own user.
  for _ in $(seq 1 40); do
    useradd --system --user-group --no-create-home --shell /bin/sh "$1" 2>/dev/null && return 0
    sleep 0.5
  done
  return 1
}
mkuser "$victim" || skip "cannot create a user"
mkuser "$other" || skip "cannot create a second user"
vuid=$(id -u "$victim") ouid=$(id -u "$other")
chmod 755 "$work"
inst=$work/inst home=$work/home shared=$work/shared
mkdir -p "$inst" "$home" "$shared"
cp "$bin/halcyon-demo" "$bin/halcyonctl" "$inst/"
cp -r "$src/data/modules" "$inst/modules"
chown -R "$victim:$victim" "$inst" "$home"
chmod 1777 "$shared"  # a shared folder like /tmp
rm -rf "/tmp/halcyon-$vuid"

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
ok() { echo "ok: $*"; }

# The sanitizers' settings (a sanitized build) go along with the clean
# environment the users get.
sanitizer_env=()
for v in ASAN_OPTIONS LSAN_OPTIONS UBSAN_OPTIONS; do
  [ -n "${!v:-}" ] && sanitizer_env+=("$v=${!v}")
done
# Runs a command as a user, with a clean login-like environment.
as() {
  local who=$1; shift
  setpriv --reuid="$(id -u "$who")" --regid="$(id -g "$who")" --init-groups \
    env -i HOME="$home" PATH=/usr/bin:/bin QT_QPA_PLATFORM=offscreen ${XDG:+XDG_RUNTIME_DIR=$XDG} \
    "${sanitizer_env[@]}" "$@"
}
exe=$(readlink -f "$inst/halcyon-demo")
id=halcyon-$(printf '%s\n%s' "$exe" "$vuid" | sha1sum | cut -c1-16)
folder=/tmp/halcyon-$vuid

# A listener that answers every request with a made-up reply and logs how
# many bytes each connection sent it.
impostor() {  # SOCKET LOG; run in the background, it is the listener's pid
  exec perl -MIO::Socket::UNIX -e '
    my ($path, $log) = @ARGV; unlink $path;
    my $s = IO::Socket::UNIX->new(Type => SOCK_STREAM(), Local => $path, Listen => 5) or die "listen: $!";
    chmod 0777, $path;
    open(my $l, ">>", $log) or die; $l->autoflush(1);
    print $l "listening\n";
    while (my $c = $s->accept) {
      select(undef, undef, undef, 0.5);
      my $buf = ""; $c->blocking(0); sysread($c, $buf, 65536);
      print $l "connection " . length($buf) . " bytes\n";
      my $p = q({"version":1,"code":0,"out":"impostor\n","err":""});
      print $c "R" . pack("N", length $p) . $p; close $c;
    }' "$1" "$2"
}
waitfor() {  # FILE TEXT
  for _ in $(seq 1 600); do grep -q "$2" "$1" 2>/dev/null && return 0; sleep 0.1; done
  return 1
}
start_demo() {  # LOG
  setpriv --reuid="$vuid" --regid="$(id -g "$victim")" --init-groups \
    env -i HOME="$home" PATH=/usr/bin:/bin QT_QPA_PLATFORM=offscreen ${XDG:+XDG_RUNTIME_DIR=$XDG} \
    "${sanitizer_env[@]}" sh -c "cd / && exec '$inst/halcyon-demo' --verbose" >"$1" 2>&1 &
  demo=$!; pids+=("$demo")
  waitfor "$1" "Device Connect"
}
stop_demo() { kill "$demo" 2>/dev/null; wait "$demo" 2>/dev/null; }
ctl() { as "$victim" sh -c "cd '$home' && exec '$inst/halcyonctl' \"\$@\"" ctl "$@"; }
second_start_leaves() {  # hands over to the running one: exit 0
  as "$victim" sh -c "cd / && exec '$inst/halcyon-demo'" >"$work/second.log" 2>&1
  [ $? = 0 ]
}
impostor_sent_nothing() { ! grep -q "connection [1-9]" "$1"; }

# 1. The folder squatted by the other user, with a listener in it.
as "$other" sh -c "mkdir -m 777 '$folder'"
as "$other" perl -e 1 || skip "cannot run as the second user"
impostor "$folder/$id" "$work/squat.log" 2>/dev/null &
squatter=$!; pids+=("$squatter")
chown "$other" "$folder/$id" 2>/dev/null
waitfor "$work/squat.log" listening || fail "impostor did not listen"
out=$(ctl status 2>&1); rc=$?
if [ $rc = 1 ] && [[ $out == *"belongs to another user"* ]] && impostor_sent_nothing "$work/squat.log"; then
  ok "halcyonctl refuses a squatted folder: $out"
else fail "halcyonctl with a squatted folder: rc=$rc $out"; fi
if start_demo "$work/demo1.log" && grep -q "belongs to another user" "$work/demo1.log" \
   && impostor_sent_nothing "$work/squat.log"; then
  ok "halcyon-demo starts beside a squatted folder and says so"
else fail "halcyon-demo with a squatted folder"; cat "$work/demo1.log"; fi
stop_demo
kill "$squatter" 2>/dev/null
rm -rf "$folder"

# 2. A socket of another user (root here, which can enter the victim's
# own folder) where the victim's program listens.
as "$victim" true
start_demo "$work/demo2.log" || fail "first start"
stop_demo
[ -d "$folder" ] && [ "$(stat -c %a:%u "$folder")" = "700:$vuid" ] && ok "instance folder is 0700 and the victim's" \
  || fail "instance folder: $(stat -c %a:%u "$folder" 2>&1)"
impostor "$folder/$id" "$work/root.log" 2>/dev/null &
rooted=$!; pids+=("$rooted")
waitfor "$work/root.log" listening || fail "root impostor did not listen"
out=$(ctl status 2>&1); rc=$?
if [ $rc = 1 ] && [[ $out == *"belongs to another user (uid 0)"* ]] && impostor_sent_nothing "$work/root.log"; then
  ok "halcyonctl refuses another user's socket: $out"
else fail "halcyonctl with root's socket: rc=$rc $out"; fi
if start_demo "$work/demo3.log" && grep -q "held by another user (uid 0)" "$work/demo3.log"; then
  ok "halcyon-demo replaces another user's socket and runs"
else fail "halcyon-demo with root's socket"; cat "$work/demo3.log"; fi
out=$(ctl status 2>&1)
[[ $out == *"connected: yes"* ]] && ok "halcyonctl reaches the real program" || fail "ctl after takeover: $out"
# The real program drops a connection of another user unanswered.
answer=$(perl -MIO::Socket::UNIX -e '
  $SIG{PIPE} = "IGNORE";
  my $c = IO::Socket::UNIX->new(Type => SOCK_STREAM(), Peer => $ARGV[0]) or die "connect: $!";
  my $p = q({"version":1,"args":["status"]});
  print $c "Q" . pack("N", length $p) . $p;
  my $n = sysread($c, my $buf, 100);
  print $n ? "answered\n" : "closed\n";' "$folder/$id" 2>&1)
[ "$answer" = closed ] && ok "the program refuses another user's client" || fail "foreign client: $answer"
grep -q "refused a connection of uid 0" "$work/demo3.log" || fail "no log of the refused client"
stop_demo
kill "$rooted" 2>/dev/null

# 3. A plain file at the socket's name and a lock file of another user:
# the program starts, and one instance still runs at a time.
rm -f "$folder/$id" "$folder/$id.lock"
echo squat >"$folder/$id"
echo squat >"$folder/$id.lock"
if start_demo "$work/demo4.log" && second_start_leaves; then
  ok "plain file and foreign lock: one instance runs"
else fail "plain file and foreign lock"; cat "$work/demo4.log" "$work/second.log"; fi
# 4. The victim's own instance killed: its socket and lock are left, and the
# next start does not wait for them.
kill -9 "$demo"; wait "$demo" 2>/dev/null
[ -S "$folder/$id" ] || fail "a killed instance left no socket to clean up"
if start_demo "$work/demo5.log" && second_start_leaves; then
  ok "a dead instance's socket and lock are taken over"
else fail "after a killed instance"; cat "$work/demo5.log"; fi

# 5. Exports through the other user's links in a shared folder.
printf '[config]\ntotal=0\n' >"$home/Fresh.mc"; chown "$victim" "$home/Fresh.mc"
modules_mode=$(stat -c %a "$inst/modules")
out=$(ctl macro import "$home/Fresh.mc" 2>&1) || fail "macro import: $out"
echo "precious" >"$home/precious.txt"; chown "$victim" "$home/precious.txt"
as "$other" ln -s "$home/precious.txt" "$shared/backup.pf"
as "$other" ln -s "$home/made.mc" "$shared/rapid.mc"
out=$(ctl profile export 1 "$shared/backup.pf" 2>&1); rc=$?
[ $rc = 1 ] && [ "$(cat "$home/precious.txt")" = precious ] && ok "export through a link refused: $out" \
  || fail "export through a link: rc=$rc $out; $(cat "$home/precious.txt")"
out=$(ctl macro export Fresh "$shared/rapid.mc" 2>&1); rc=$?
[ $rc = 1 ] && [ ! -e "$home/made.mc" ] && ok "export to a dangling link refused: $out" \
  || fail "export to a dangling link: rc=$rc $out"

# 6. Private files: the macro imported above is the victim's alone; the
# data folder that existed keeps its permissions.
[ "$(stat -c %a "$inst/modules/macro/Fresh.bin" 2>&1)" = 600 ] && ok "a new macro file is 0600" \
  || fail "new macro file mode: $(stat -c %a "$inst/modules/macro/Fresh.bin" 2>&1)"
[ "$(stat -c %a "$inst/modules")" = "$modules_mode" ] && ok "the existing data folder keeps $modules_mode" \
  || fail "data folder mode changed"
stop_demo

# 7. An installed copy seeds the user's data folder 0700 with 0600 files;
# $XDG_RUNTIME_DIR holds the channel when it is the user's own.
prefix=$work/prefix
mkdir -p "$prefix/bin" "$prefix/share/halcyon"
cp "$bin/halcyonctl" "$prefix/bin/"
cp -r "$src/data/modules" "$prefix/share/halcyon/modules"
chmod -R a+rX,go-w "$prefix"
mkdir -m 700 "$work/run"; chown "$victim" "$work/run"
out=$(XDG=$work/run as "$victim" sh -c "cd '$home' && exec '$prefix/bin/halcyonctl' status" 2>&1) \
  || fail "installed halcyonctl: $out"
data=$home/.local/share/halcyon
[ "$(stat -c %a "$data" 2>&1)" = 700 ] && [ "$(stat -c %a "$data/modules/setting/apConfig.bin" 2>&1)" = 600 ] \
  && ok "the user's data folder is created 0700 with 0600 files" \
  || fail "seeded data: $(stat -c %a "$data" "$data/modules/setting/apConfig.bin" 2>&1)"
XDG=$work/run start_demo "$work/demo6.log" || fail "start with XDG_RUNTIME_DIR"
sock=$(ls "$work/run" | grep '^halcyon-' | grep -v lock)
[ -n "$sock" ] && [ -S "$work/run/$sock" ] && ok "the channel lives in XDG_RUNTIME_DIR" \
  || fail "no socket in XDG_RUNTIME_DIR: $(ls -la "$work/run")"
stop_demo

[ $failures = 0 ] || { echo "$failures failure(s)"; exit 1; }
echo "all two-user checks passed"
