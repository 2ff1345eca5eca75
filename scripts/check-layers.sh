#!/usr/bin/env bash
# Fails when a source file includes a header of a layer above its own, naming
# the file and line, or when files include each other in a circle. The layers, lowest first, and what each may include are
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
# Fails on an include circle: a file that includes another project header
# which, directly or through further headers, includes the file's own header
# back. A header's own files are the source of the same name and the sources
# named after it with a suffix (qv_sound_stream.cpp belongs to qv_sound.h).
circle_folders=(base platform display input runtime scene sound game shell shelf tools tests bench fuzz web)
circles=$(
  {
    find "${circle_folders[@]}" \( -name '*.h' -o -name '*.cpp' \) -printf '%p\t\n' 2>/dev/null
    grep -rE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' --include='*.h' --include='*.cpp' \
      "${circle_folders[@]}" 2>/dev/null |
      sed -E 's/^([^:]+):[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]+)".*/\1\t\2/'
  } | awk -F'\t' '
    function dir(p) { return p ~ /\// ? substr(p, 1, match(p, /\/[^\/]*$/) - 1) : "." }
    function base(p) { return substr(p, match(p, /[^\/]*$/)) }
    function stem(p) { sub(/\.[^.\/]*$/, "", p); return p }
    # The header a file belongs to, without its extension.
    function owner(f,    s) {
      s = stem(f)
      if (f ~ /\.h$/) return s
      for (;;) {
        if ((s ".h") in known) return s
        if (base(s) !~ /_/) return stem(f)
        sub(/_[^_]*$/, "", s)
      }
    }
    # Beside the file, from the root, or by a name that only one header has
    # (the tests include their helpers by name).
    function resolve(name, f) {
      if ((dir(f) "/" name) in known) return dir(f) "/" name
      if (name in known) return name
      if (byname[name] != "") return byname[name]
      return ""
    }
    # The includes from header h to a header owned by o, or nothing.
    function path_to(h, o,    n, i, next_, r) {
      if (h in seen) return ""
      seen[h] = 1
      if (unit[h] == o) return h
      n = split(includes[h], next_, " ")
      for (i = 1; i <= n; i++) if ((r = path_to(next_[i], o)) != "") return h " -> " r
      return ""
    }
    $2 == "" { known[$1] = 1; b = base($1); byname[b] = (b in byname) ? "" : $1; next }
    { edge[++edges] = $1 "\t" $2 }
    END {
      for (f in known) unit[f] = owner(f)
      for (k = 1; k <= edges; k++) {
        split(edge[k], e, "\t")
        if ((r = resolve(e[2], e[1])) != "") includes[e[1]] = includes[e[1]] " " r
      }
      for (f in known) {
        n = split(includes[f], direct, " ")
        for (i = 1; i <= n; i++) {
          if (unit[direct[i]] == unit[f]) continue
          split("", seen)
          if ((c = path_to(direct[i], unit[f])) != "") print f ": include circle: " f " -> " c
        }
      }
    }' | sort
)
if [ -n "$circles" ]; then
  echo "$circles"
  failed=1
fi
if [ "$failed" -ne 0 ]; then
  echo "layer check failed: see docs/architecture.md for what each layer may include, and move what" >&2
  echo "two files both need into a header of its own to break an include circle" >&2
  exit 1
fi
echo "layer check: every include goes down or sideways within its layer, and none comes back round"
