#!/usr/bin/env bash
# Builds the fuzz targets with clang 16 (the first to capture structured bindings in lambdas, which
# the engine does) and libFuzzer, installing it first when it is missing,
# and runs each for FUZZ_SECONDS (default 60) on a seed corpus gathered from Data/ and the test
# fixtures. New inputs are kept in build/fuzz/corpus/<target>, findings in build/fuzz/artifacts;
# the files the targets write go to one scratch folder that is removed at the end, whatever
# happened. FUZZ_TARGETS picks some of: effect picture settings character catalogue.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
build=build/fuzz
seconds=${FUZZ_SECONDS:-60}
targets=${FUZZ_TARGETS:-effect picture settings character catalogue}

missing=()
for package in clang-16 libclang-rt-16-dev; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing missing packages: ${missing[*]}"
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

CC=clang-16 CXX=clang++-16 cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZODERUD_FUZZ=ON \
  -DZODERUD_TESTS=OFF -DZODERUD_BENCHMARKS=OFF
cmake --build "$build" -j "${JOBS:-$(nproc)}" --target $(for t in $targets; do echo "fuzz_$t"; done)

# Copies every file found into the target's seed folder, named after its path.
gather() {
  local target=$1
  shift
  local folder="$build/seeds/$target"
  rm -rf "$folder"
  mkdir -p "$folder"
  find "$@" -type f -print0 2>/dev/null | while IFS= read -r -d '' file; do
    cp "$file" "$folder/$(echo "${file#./}" | tr '/ ' '__')"
  done
}
gather effect Data tests/platform/data tests/fuzz/seeds/effect -iname '*.fx'
gather picture Data tests/platform/data tests/fuzz/seeds/picture \
  \( -iname '*.png' -o -iname '*.jpg' -o -iname '*.jpeg' -o -iname '*.bmp' -o -iname '*.tga' \)
gather settings Data/default_settings tests/fuzz/seeds/settings -iname '*.xml'
gather character tests/rules/data/saved_b tests/rules/data/hostile tests/fuzz/seeds/character -iname '*.xml'
gather catalogue Data/actions Data/classes Data/equipment Data/proficiencies Data/spells tests/rules/data/catalogue_a \
  tests/rules/data/catalogue_b -iname '*.xml'

# Memory-backed where there is one; a crashed target can't clean up after itself, so this does.
scratch=$(mktemp -d "$( [ -d /dev/shm ] && echo /dev/shm || echo /tmp )/zoderud-fuzz-run-XXXXXX")
trap 'rm -rf "$scratch"' EXIT
export ZODERUD_FUZZ_SCRATCH="$scratch"

status=0
for target in $targets; do
  mkdir -p "$build/corpus/$target" "$build/artifacts"
  echo "== fuzz_$target for ${seconds}s"
  # The loaders log every refusal to stderr; libFuzzer keeps its own and the sanitizers' reports.
  if ! (cd "$root" && SDL_VIDEODRIVER=dummy "$build/tests/fuzz/fuzz_$target" -max_total_time="$seconds" \
        -close_fd_mask=2 -rss_limit_mb=4096 -timeout=20 -print_final_stats=1 \
        -artifact_prefix="$build/artifacts/$target-" "$build/corpus/$target" "$build/seeds/$target"); then
    status=1
  fi
done
exit $status
