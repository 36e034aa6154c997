#!/usr/bin/env bash
# Measures the program's CPU use while it sits idle, on a virtual X server (Xvfb, so Mesa's
# software OpenGL, the slowest case): at the main menu, and with a character sheet open (a saved
# character the script writes itself and the program reopens as the last saved one). Beside them,
# in the same run, a window that only clears and presents at the refresh rate (present_loop).
# Prints each as the share of one core (user and system time over all threads).
#   scripts/idle_cpu.sh [seconds]      (default 10 per measurement, after 12 s to settle: the
#                                       program closes its audio device after 10 s of silence)
# Builds zoderud and present_loop in build/bench (Release) when missing. Installs xvfb and
# x11-utils when they are missing. Exits 1 when the program is over the target at either screen,
# 2 when a window did not open or the sheet did not show.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-10}
target_percent=3
build=build/bench
program=$build/zoderud
floor=$build/benchmarks/present_loop

need=()
command -v Xvfb >/dev/null || need+=(xvfb)
command -v xwininfo >/dev/null || need+=(x11-utils)
if [ ${#need[@]} -gt 0 ]; then
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${need[@]}"
fi
if [ ! -x "$program" ] || [ ! -x "$floor" ]; then
  launcher=()
  if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
  fi
  [ -f "$build/CMakeCache.txt" ] ||
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZODERUD_TESTS=OFF "${launcher[@]}" >/dev/null
  cmake --build "$build" --target zoderud present_loop
fi

work=$(mktemp -d)
xvfb_pid=""
running_pid=""
# Asks the running program to end; it may wait for an answer (to save, say), so it is killed
# after 5 s.
stop_running() {
  [ -n "$running_pid" ] || return 0
  kill "$running_pid" 2>/dev/null || true
  for _ in $(seq 50); do
    kill -0 "$running_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -KILL "$running_pid" 2>/dev/null || true
  wait "$running_pid" 2>/dev/null || true
  running_pid=""
}
cleanup() {
  stop_running
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

# The server picks a free display number.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 2; }
display=":$(head -n 1 "$work/display")"

mkdir -p "$work/home" "$work/data"
user_folder="$work/data/BRAV Zoderud"
# Starts a program with the test's display and folders; extra environment may come first.
start() {
  env -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER DISPLAY="$display" HOME="$work/home" XDG_DATA_HOME="$work/data" \
    SDL_AUDIODRIVER=dummy "$@" >"$work/program.log" 2>&1 &
  running_pid=$!
}
# Waits for a window of that name while the program runs.
wait_for_window() {
  for _ in $(seq 200); do
    if DISPLAY="$display" xwininfo -name "$1" >/dev/null 2>&1; then return 0; fi
    kill -0 "$running_pid" 2>/dev/null || break
    sleep 0.1
  done
  echo "The window \"$1\" did not open; the program's output:" >&2
  cat "$work/program.log" >&2
  exit 2
}

# utime + stime of the process (every thread), in clock ticks.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
ticks_per_second=$(getconf CLK_TCK)
# The share of one core the running program uses over the measurement, after 12 s to settle.
measure() {
  sleep 12
  local before after start end
  before=$(cpu_ticks "$running_pid")
  start=$(date +%s.%N)
  sleep "$seconds"
  after=$(cpu_ticks "$running_pid")
  end=$(date +%s.%N)
  awk -v t="$((after - before))" -v hz="$ticks_per_second" -v s="$start" -v e="$end" \
    'BEGIN { printf "%.1f", 100 * t / hz / (e - s) }'
}

start "$floor"
wait_for_window "present loop"
floor_percent=$(measure)
stop_running

start "$program"
wait_for_window "BRAV Zoderud"
menu_percent=$(measure)
stop_running

# A saved character, reopened at start as the last one saved.
character="$user_folder/characters/Idle Hero.xml"
mkdir -p "$(dirname "$character")"
cat >"$character" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<CharacterSheet>
    <Biographical>
        <CharacterName value="Idle Hero"/>
        <Alignment value="Lawful"/>
        <Notes value="Kept open for hours."/>
    </Biographical>
    <HP current="9" currentMaximum="12"/>
    <XP value="2500"/>
    <Level value="2"/>
    <Attributes>
        <Strength current="14" natural="14"/>
        <Intelligence current="10" natural="10"/>
        <Wisdom current="12" natural="12"/>
        <Dexterity current="13" natural="13"/>
        <Constitution current="15" natural="15"/>
        <Charisma current="9" natural="9"/>
    </Attributes>
    <CharacterClass id="fighter"/>
    <Inventory>
        <Equipment id="backpack" quantity="1" areContentsExpanded="1">
            <Equipment id="torch" quantity="3"/>
            <Equipment id="bedroll" quantity="1"/>
        </Equipment>
        <Equipment id="dagger" quantity="2"/>
    </Inventory>
    <Loot>
        <CurrentWealth>
            <Platinum value="0"/>
            <Gold value="15"/>
            <Electrum value="0"/>
            <Silver value="4"/>
            <Copper value="7"/>
        </CurrentWealth>
    </Loot>
</CharacterSheet>
XML
settings="$user_folder/settings.xml"
[ -f "$settings" ] || { echo "The program wrote no settings file" >&2; exit 2; }
if grep -q '<LastSavedFilePath' "$settings"; then
  sed -i "s|<LastSavedFilePath value=\"[^\"]*\"|<LastSavedFilePath value=\"$character\"|" "$settings"
else
  sed -i "s|</Settings>|<AppSpecificData><LastSavedFilePath value=\"$character\"/></AppSpecificData></Settings>|" "$settings"
fi

# Once with the UI dump, to see the sheet open (the dump itself costs time at every frame), then
# measured without it.
start env ZODERUD_UI_DUMP="$work/ui.tsv" "$program"
wait_for_window "BRAV Zoderud"
for _ in $(seq 200); do
  grep -q "Idle Hero" "$work/ui.tsv" 2>/dev/null && break
  kill -0 "$running_pid" 2>/dev/null || break
  sleep 0.1
done
grep -q "Idle Hero" "$work/ui.tsv" 2>/dev/null || { echo "The character sheet did not open" >&2; cat "$work/program.log" >&2; exit 2; }
stop_running
start "$program"
wait_for_window "BRAV Zoderud"
sheet_percent=$(measure)
stop_running

echo "Idle for ${seconds} s each, share of one core: main menu ${menu_percent}%, character sheet open ${sheet_percent}%;" \
  "a window that only clears and presents ${floor_percent}%. Target for the program: at most ${target_percent}%."
awk -v m="$menu_percent" -v s="$sheet_percent" -v t="$target_percent" 'BEGIN { exit !(m <= t && s <= t) }' || exit 1
