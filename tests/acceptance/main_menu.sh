#!/usr/bin/env bash
# Starts the real program on a virtual X server and checks its main menu from outside: the four
# strip captions in the UI dump, the Load tool tip while the pointer rests on it, and a clean
# close through the window's close request with exit status 0.
# Usage: main_menu.sh PROGRAM
set -u
program=$1
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../.." && pwd)
work=$(mktemp -d)
app_pid=""
xvfb_pid=""

cleanup() {
  if [ -n "$app_pid" ]; then kill "$app_pid" 2>/dev/null; fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null; fi
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  if [ -f "$work/program.log" ]; then tail -n 30 "$work/program.log" >&2; fi
  exit 1
}

# Waits up to $1 seconds for the command to succeed while the program still runs.
wait_for() {
  local tenths=$(($1 * 10)) i=0
  shift
  until "$@"; do
    i=$((i + 1))
    if [ "$i" -gt "$tenths" ]; then return 1; fi
    if [ -n "$app_pid" ] && ! kill -0 "$app_pid" 2>/dev/null; then return 1; fi
    sleep 0.1
  done
}

dump_has() { awk -F'\t' -v s="$1" '$7 == s { found = 1 } END { exit !found }' "$ZODERUD_UI_DUMP" 2>/dev/null; }
strip_shown() {
  local caption
  for caption in Load Save New "Roll Dice"; do dump_has "$caption" || return 1; done
}
display_ready() { [ -s "$work/display" ]; }

# The server picks a free display number, so parallel runs never meet.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
wait_for 20 display_ready || fail "Xvfb did not start"
export DISPLAY=":$(head -n 1 "$work/display")"

unset SDL_VIDEODRIVER
export SDL_AUDIODRIVER=dummy
export XDG_DATA_HOME="$work/home"
export ZODERUD_UI_DUMP="$work/ui.tsv"
mkdir -p "$XDG_DATA_HOME"

(cd "$source_dir" && exec "$program") >"$work/program.log" 2>&1 &
app_pid=$!

wait_for 120 strip_shown || fail "the captions Load, Save, New and Roll Dice never appeared"

window=$(xdotool search --name "BRAV Zoderud" 2>/dev/null | head -n 1)
[ -n "$window" ] || fail "the program's window was not found"

# The middle of the "Load" caption, in window pixels.
read -r x y < <(awk -F'\t' '$7 == "Load" { printf "%d %d\n", ($3 + $5) / 2, ($4 + $6) / 2; exit }' "$ZODERUD_UI_DUMP")
xdotool mousemove --window "$window" "$x" "$y" || fail "the pointer could not be moved"
# A small nudge after the first move, so the program sees the pointer at rest on the button.
sleep 0.2
xdotool mousemove --window "$window" "$((x + 1))" "$y"
wait_for 30 dump_has "Load an existing character" || fail "the Load tool tip never showed"

"$here/close_window.py" "$window" || fail "the close request could not be sent"
for _ in $(seq 1 600); do
  kill -0 "$app_pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$app_pid" 2>/dev/null; then fail "the program did not end after the close request"; fi
wait "$app_pid"
status=$?
app_pid=""
[ "$status" -eq 0 ] || fail "the program ended with status $status"
echo "main menu acceptance: passed"
