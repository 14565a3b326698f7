# Sourced by the checks that run the program on a private X server (the
# caller defines skip first): a work folder and the processes started are
# removed on exit, until_true polls for up to a minute (a loaded machine
# starts slowly), and start_private_x starts the server and sets DISPLAY.
work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
until_true() { for _ in $(seq 600); do eval "$1" && return 0; sleep 0.1; done; return 1; }

# start_private_x: the server is never reset, so a check that starts and
# ends the program (the last client for a moment) keeps the same server.
start_private_x() {
  exec 3>"$work/display"
  Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  pids+=($!)
  until_true '[ -s "$work/display" ]' || skip "Xvfb cannot run here"
  export DISPLAY=":$(head -n1 "$work/display")"
}
