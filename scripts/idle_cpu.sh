#!/usr/bin/env bash
# Measures the program's CPU use while it sits idle at its main window, on a virtual X server
# (Xvfb, so Mesa's software OpenGL, the slowest case). Prints the share of one core.
#   scripts/idle_cpu.sh [seconds]      (default 10; the program is given 3 s to settle first)
# Uses build/release/zoderud (built with `make build` when missing). Installs xvfb and x11-utils
# when they are missing. Exits 1 when the figure is over the 15% target, 2 when the program
# did not open its window.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-10}
target_percent=15
program=build/release/zoderud

need=()
command -v Xvfb >/dev/null || need+=(xvfb)
command -v xwininfo >/dev/null || need+=(x11-utils)
if [ ${#need[@]} -gt 0 ]; then
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${need[@]}"
fi
[ -x "$program" ] || make build

work=$(mktemp -d)
xvfb_pid=""
program_pid=""
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null && wait "$program_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A display number nobody uses.
display=90
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done

mkdir -p "$work/home" "$work/data"
env -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER DISPLAY=":$display" HOME="$work/home" XDG_DATA_HOME="$work/data" \
  SDL_AUDIODRIVER=dummy "$program" >"$work/program.log" 2>&1 &
program_pid=$!

opened=""
for _ in $(seq 100); do
  if DISPLAY=":$display" xwininfo -name "BRAV Zoderud" >/dev/null 2>&1; then opened=yes; break; fi
  kill -0 "$program_pid" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$opened" ]; then
  echo "The program did not open its window; its output:" >&2
  cat "$work/program.log" >&2
  exit 2
fi
sleep 3

# utime + stime of the process, in clock ticks.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
ticks_per_second=$(getconf CLK_TCK)
program_before=$(cpu_ticks "$program_pid")
xvfb_before=$(cpu_ticks "$xvfb_pid")
start=$(date +%s.%N)
sleep "$seconds"
program_after=$(cpu_ticks "$program_pid")
xvfb_after=$(cpu_ticks "$xvfb_pid")
end=$(date +%s.%N)

percent() { awk -v t="$1" -v hz="$ticks_per_second" -v s="$start" -v e="$end" 'BEGIN { printf "%.1f", 100 * t / hz / (e - s) }'; }
program_percent=$(percent $((program_after - program_before)))
xvfb_percent=$(percent $((xvfb_after - xvfb_before)))
echo "Idle at the main window for ${seconds} s: zoderud ${program_percent}% of one core (the X server ${xvfb_percent}%); target under ${target_percent}%."
awk -v p="$program_percent" -v t="$target_percent" 'BEGIN { exit !(p < t) }' || exit 1
