#!/usr/bin/env bash
# The include check against small trees under the real layer table: it passes a tree whose
# includes go down, and fails, naming file, line and header, on one that reaches up or sideways,
# or on a folder the table lacks.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0

# A tree with the real architecture notes and one file per entry of "folder:include".
make_tree() {
  rm -rf "$work/tree"
  mkdir -p "$work/tree/docs" "$work/tree/source"
  cp "$root/docs/ARCHITECTURE.md" "$work/tree/docs/"
  for entry in "$@"; do
    folder="${entry%%:*}"
    mkdir -p "$work/tree/source/$folder"
    printf '#include "%s"\n' "${entry#*:}" >> "$work/tree/source/$folder/file.cpp"
  done
}

expect() {
  local want="$1" message="$2"; shift 2
  make_tree "$@"
  local output status=0
  output="$(python3 "$root/scripts/check_layers.py" "$work/tree" 2>&1)" || status=$?
  if [ "$want" = pass ] && [ $status -ne 0 ]; then
    echo "FAIL: expected a pass for $*: $output"; failures=$((failures + 1))
  elif [ "$want" = fail ] && { [ $status -eq 0 ] || ! grep -qF -- "$message" <<<"$output"; }; then
    echo "FAIL: expected '$message' for $*, got (status $status): $output"; failures=$((failures + 1))
  fi
}

expect pass "" "ui:app/log.h" "tracker:render/render_interface.h" "shell:world/new_physics_manager.h" \
  "world:rules/character_sheet.h" "app:app/log.h" "ui:SDL.h/x.h"
expect fail "source/app/file.cpp:2: app includes ui/mouse_pointer.h" "app:app/log.h" "app:ui/mouse_pointer.h"
expect fail "source/render/file.cpp:1: render includes ui_render/ui_manager.h" "render:ui_render/ui_manager.h"
expect fail "source/scene/file.cpp:1: scene includes ui_render/ui_manager.h" "scene:ui_render/ui_manager.h"
expect fail "source/tracker/file.cpp:1: tracker includes world/base_camera_entity.h" \
  "tracker:world/base_camera_entity.h" "world:world/base_camera_entity.h"
expect fail "folder extra has no row" "extra:app/log.h"

if [ $failures -ne 0 ]; then exit 1; fi
echo "the include check passes downward includes and names every upward one"
