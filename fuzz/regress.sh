#!/usr/bin/env bash
# Runs each file-reader fuzz target briefly. The seeds are written fresh: the
# hand-made edge cases from write_seeds and the game's own generated pictures
# and models from the asset tool.
#   fuzz/regress.sh BUILD_DIR
# FUZZ_SECONDS sets the time per target (default 20); the targets run side
# by side, one per core.
set -euo pipefail
BUILD_DIR=$1
SECONDS_PER_TARGET=${FUZZ_SECONDS:-20}
TARGETS=(fuzz_bmp fuzz_obj fuzz_3ds fuzz_settings fuzz_replay)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$BUILD_DIR/fuzz/write_seeds" "$work/seeds"
"$BUILD_DIR/tools/assetgen/assetgen" "$work/game" >/dev/null
find "$work/game" -name '*.bmp' -size -70k -exec cp {} "$work/seeds/fuzz_bmp/" \;
find "$work/game" -name '*.obj' -exec cp {} "$work/seeds/fuzz_obj/" \;
find "$work/game" -name '*.3DS' -exec cp {} "$work/seeds/fuzz_3ds/" \;
# fuzz TARGET: one target's run; its last lines go to $work/TARGET.log.
fuzz() {
  # New inputs go to a scratch folder; the seed folder stays as written.
  mkdir -p "$work/$1"
  "$BUILD_DIR/fuzz/$1" -max_total_time="$SECONDS_PER_TARGET" -rss_limit_mb=2048 \
    -artifact_prefix="$work/$1-" "$work/$1" "$work/seeds/$1" >"$work/$1.out" 2>&1
}
# As many targets at once as there are cores; every one is waited for and
# reported, and a finding in any fails the run.
jobs=$(nproc)
failed=0
for ((i = 0; i < ${#TARGETS[@]}; i += jobs)); do
  batch=("${TARGETS[@]:i:jobs}")
  pids=()
  for target in "${batch[@]}"; do
    fuzz "$target" &
    pids+=($!)
  done
  for k in "${!batch[@]}"; do
    status=0
    wait "${pids[$k]}" || status=$?
    echo "== ${batch[$k]}"
    if [ "$status" -ne 0 ]; then
      failed=1
      tail -n 40 "$work/${batch[$k]}.out"
    else
      tail -n 2 "$work/${batch[$k]}.out"
    fi
  done
done
if [ "$failed" -ne 0 ]; then
  echo "fuzz regression: findings above" >&2
  exit 1
fi
echo "fuzz regression: no findings"
