#!/usr/bin/env bash
# Runs each file-reader fuzz target briefly. The seeds are written fresh: the
# hand-made edge cases from write_seeds and the game's own generated pictures
# and models from the asset tool.
#   fuzz/regress.sh BUILD_DIR
# FUZZ_SECONDS sets the time per target (default 20).
set -euo pipefail
BUILD_DIR=$1
SECONDS_PER_TARGET=${FUZZ_SECONDS:-20}
TARGETS=(fuzz_bmp fuzz_obj fuzz_3ds fuzz_settings)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$BUILD_DIR/fuzz/write_seeds" "$work/seeds"
"$BUILD_DIR/tools/assetgen/assetgen" "$work/game" >/dev/null
find "$work/game" -name '*.bmp' -size -70k -exec cp {} "$work/seeds/fuzz_bmp/" \;
find "$work/game" -name '*.obj' -exec cp {} "$work/seeds/fuzz_obj/" \;
find "$work/game" -name '*.3DS' -exec cp {} "$work/seeds/fuzz_3ds/" \;
for target in "${TARGETS[@]}"; do
  echo "== $target"
  # New inputs go to a scratch folder; the seed folder stays as written.
  mkdir -p "$work/$target"
  "$BUILD_DIR/fuzz/$target" -max_total_time="$SECONDS_PER_TARGET" -rss_limit_mb=2048 \
    -artifact_prefix="$work/$target-" "$work/$target" "$work/seeds/$target" 2>&1 | tail -n 2
done
echo "fuzz regression: no findings"
