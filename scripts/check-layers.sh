#!/usr/bin/env bash
# Fails when a source file includes a header of a layer above its own, naming
# the file and line. The layers, lowest first, and what each may include are
# drawn in docs/architecture.md; the libraries in CMake enforce the same
# order at link time, this catches it at the include.
# Usage: scripts/check-layers.sh [source folder]
set -euo pipefail
root="${1:-$(dirname "$0")/..}"
cd "$root"

# The layers, lowest first, and the folders each may include from besides its own.
layers=(base platform display input runtime scene sound game shell shelf tools)
declare -A allowed=(
  [base]=""
  [platform]="base"
  [display]="base platform"
  [input]="base platform display"
  [runtime]="base platform display input"
  [scene]="base platform display input runtime"
  [sound]="base platform"
  [game]="base platform display input runtime scene sound"
  [shell]="base platform display input runtime scene sound game"
  [shelf]="base platform display input runtime scene sound game shell"
  [tools]="base"
)
# Headers of a layer above that a layer may still include, because they
# depend on nothing: the asset tools draw the board the game plays on.
declare -A exceptions=(
  [tools]="game/board_geometry.h game/cell.h"
)
# Only the platform layer talks to these libraries.
platform_only='SDL|SDL2/|mpg123\.h|ini\.h'

failed=0
for layer in "${layers[@]}"; do
  [ -d "$layer" ] || continue
  while IFS=: read -r file line text; do
    header=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]+)".*/\1/' <<<"$text")
    folder=${header%%/*}
    [ "$header" != "$folder" ] || continue  # a header beside the file
    [ "$folder" != "$layer" ] || continue
    [ -n "${allowed[$folder]+known}" ] || continue  # not one of our layers
    case " ${allowed[$layer]} ${exceptions[$layer]:-} " in
      *" $folder "* | *" $header "*) continue ;;
    esac
    echo "$file:$line: $layer/ includes \"$header\" from a layer above it (may include: ${allowed[$layer]:-nothing})"
    failed=1
  done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' --include='*.h' --include='*.cpp' "$layer" || true)
  if [ "$layer" != platform ]; then
    while IFS=: read -r file line text; do
      echo "$file:$line: $layer/ includes a library only platform/ may use: $text"
      failed=1
    done < <(grep -rnE "^[[:space:]]*#[[:space:]]*include[[:space:]]*<($platform_only)" --include='*.h' --include='*.cpp' "$layer" || true)
  fi
done
if [ "$failed" -ne 0 ]; then
  echo "layer check failed: see docs/architecture.md for what each layer may include" >&2
  exit 1
fi
echo "layer check: every include goes down or sideways within its layer"
