#!/usr/bin/env bash
# Runs one halcyonctl golden: NAME.ctl beside NAME.out, the exact output.
#
# The first line "#! standalone [553|560] [unplugged]" runs
# halcyonctl-virtual (the tool on its own with the virtual mouse, plugged in
# or not); "#! demo [553|560] [DEMO-ARGS...]" starts halcyon-demo (with those
# arguments) and drives the real halcyonctl against it. Both run from a fresh folder
# holding copies of the executables and of the shipped data tree (from the
# source tree, never the build folder's working copy). Script lines:
#   $ ARGS...        run the tool (shell quoting); prints its standard
#                    output as "| " lines, standard error as "! " lines and
#                    "exit N"
#   demo ARGS...     the same for halcyon-demo itself (demo mode; for
#                    arguments that end it at once, such as --help)
#   trace            the HID calls and pacing since the last "trace"
#                    (standalone only)
#   file PATH        a file, line by line;  grep REGEX PATH  matching lines
#   same A B         whether two files are identical;  exists PATH
#   write PATH TEXT  writes TEXT to PATH (both with printf %b escapes)
#   link PATH TARGET a symbolic link at PATH to TARGET (as ln -s takes it)
#   fifo PATH        a FIFO nobody writes to;  mode PATH  its permissions
#   cd PATH          runs the tool from that folder from here on ($PWD too)
#   replace PATH FROM TO   replaces FROM with TO in a file (sed, first on each line)
#   repeat N ARGS... runs the tool N times, @ in ARGS counting 1 to N; prints
#                    one line, and a line for each run that did not exit 0
set -u
bin=$1 src=$2 script=$3
expected=${script%.ctl}.out
read -r mode family extra < <(sed -n 's/^#! *//p' "$script" | head -n 1)
family=${family:-553}
work=$(mktemp -d)
demo_pid=
cleanup() {
  [ -n "$demo_pid" ] && kill "$demo_pid" 2>/dev/null && wait "$demo_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
cp -r "$src/data/modules" "$work/modules"
chmod -R u+w "$work/modules"
sed -i "s/^icType=.*/icType=$family/" "$work/modules/setting/apConfig.bin"
export QT_QPA_PLATFORM=offscreen
# Nothing of the test may reach a desktop session's pointer settings.
unset DISPLAY WAYLAND_DISPLAY
tool=()
case $mode in
  standalone)
    cp "$bin/halcyonctl-virtual" "$work/"
    tool=("$work/halcyonctl-virtual" --trace "$work/.trace")
    [ "${extra:-}" = unplugged ] && tool+=(--unplugged) ;;
  demo)
    cp "$bin/halcyon-demo" "$bin/halcyonctl" "$work/"
    tool=("$work/halcyonctl")
    # The demo's instance socket is derived from its path, so this copy
    # cannot meet any other Halcyon of the machine.
    # shellcheck disable=SC2086
    (cd / && exec "$work/halcyon-demo" ${extra:-} >"$work/.demo.log" 2>&1) &
    demo_pid=$!
    for _ in $(seq 1 600); do
      (cd "$work" && "${tool[@]}" status 2>/dev/null | grep -q '^connected: yes') && break
      sleep 0.1
    done ;;
  *) echo "unknown mode: $mode"; exit 1 ;;
esac
: >"$work/.trace"

rundir=$work
run() {
  local out err rc
  (cd "$rundir" && "${tool[@]}" "$@" >"$work/.out" 2>"$work/.err")
  rc=$?
  printf '%s' "$prompt"; [ $# -gt 0 ] && printf ' %q' "$@"; echo
  # The folder of the run differs each time; it prints as WORK.
  sed "s#$work#WORK#g; s/^/| /" "$work/.out"
  sed "s#$work#WORK#g; s/^/! /" "$work/.err"
  echo "exit $rc"
}

actual=$work/.actual
while IFS= read -r line || [ -n "$line" ]; do
  case $line in
    ''|'#'*) continue ;;
    '$'|'$ '*) eval "args=(${line#\$})"; prompt='$' run "${args[@]}" ;;
    # A demo that does not end on its own is stopped after a minute (exit 124).
    'demo '*) eval "args=(${line#demo})"; ctl=("${tool[@]}"); tool=(timeout 60 "$work/halcyon-demo")
              prompt=demo run "${args[@]}"; tool=("${ctl[@]}") ;;
    trace) echo "trace"; sed 's/^/  /' "$work/.trace"; : >"$work/.trace" ;;
    'file '*) p=${line#file }; echo "file $p"; sed 's/^/file| /' "$work/$p" ;;
    'grep '*) read -r _ re p <<<"$line"; echo "grep $re $p"; grep -E -- "$re" "$work/$p" | sed 's/^/grep| /' ;;
    'same '*) read -r _ a b <<<"$line"
              if cmp -s "$work/$a" "$work/$b"; then echo "same $a $b"; else echo "differ $a $b"; fi ;;
    'exists '*) p=${line#exists }; if [ -e "$work/$p" ]; then echo "exists $p"; else echo "missing $p"; fi ;;
    'write '*) read -r _ p text <<<"$line"; p=$(printf '%b' "$p")
               mkdir -p "$(dirname "$work/$p")"; printf '%b' "$text" >"$work/$p"; echo "write $p" ;;
    'link '*) read -r _ p target <<<"$line"; mkdir -p "$(dirname "$work/$p")"
              ln -s "$target" "$work/$p"; echo "link $p -> $target" ;;
    'fifo '*) p=${line#fifo }; mkfifo "$work/$p"; echo "fifo $p" ;;
    'mode '*) p=${line#mode }; echo "mode $p $(stat -c %a "$work/$p")" ;;
    'cd '*) p=${line#cd }; rundir=$work/$p; echo "cd $p" ;;
    'replace '*) read -r _ p from to <<<"$line"; sed -i "s/$from/$to/" "$work/$p"; echo "replace $p $from -> $to" ;;
    'repeat '*) read -r _ n rest <<<"$line"; echo "repeat $n $rest"
                for i in $(seq 1 "$n"); do
                  eval "args=(${rest//@/$i})"
                  (cd "$rundir" && "${tool[@]}" "${args[@]}" >/dev/null 2>&1) || echo "run $i: exit $?"
                done ;;
    *) echo "unknown line: $line"; exit 1 ;;
  esac
done <"$script" >"$actual"
if [ "${HALCYON_BLESS:-}" = 1 ]; then cp "$actual" "$expected"; fi
if ! diff -u "$expected" "$actual"; then
  echo "golden differs: $script"
  [ "$mode" = demo ] && { echo "--- demo log"; tail -n 20 "$work/.demo.log"; }
  exit 1
fi
