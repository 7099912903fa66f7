#!/usr/bin/env bash
# Checks the direction of the layers: every #include "folder/..." in
# src/<layer>/ must name the layer itself or one it may use, as the picture
# "Layers" in docs/ARCHITECTURE.md lists them (one line a layer:
# "layer -> what it may include", a folder or a single header). A layer the
# picture lacks, or a picture line for a folder that does not exist, fails too.
# Usage: tools/check-layers.sh [SOURCE_ROOT]   (exit 0: clean, 1: a violation)
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
doc=$root/docs/ARCHITECTURE.md

# The picture: the lines of the fenced block after the heading "## Layers".
picture=$(awk '/^## Layers/{in_section=1; next} in_section && /^```/{if (block) exit; block=1; next} block' "$doc")
[ -n "$picture" ] || { echo "check-layers: no picture under '## Layers' in $doc"; exit 1; }

declare -A allowed
while read -r layer arrow rest; do
  [ -z "$layer" ] && continue
  [ "$arrow" = "->" ] || { echo "check-layers: bad picture line: $layer $arrow $rest"; exit 1; }
  [ -d "$root/src/$layer" ] || { echo "check-layers: the picture names src/$layer, which does not exist"; exit 1; }
  allowed[$layer]=" ${rest//(nothing)/} "
done <<<"$picture"

status=0
for dir in "$root"/src/*/; do
  layer=$(basename "$dir")
  if [ -z "${allowed[$layer]+x}" ]; then
    echo "check-layers: src/$layer is not in the picture of docs/ARCHITECTURE.md"
    status=1
    continue
  fi
  while IFS=: read -r file line include; do
    target=${include#*\"}
    target=${target%%\"*}
    folder=${target%%/*}
    [ "$folder" = "$layer" ] && continue
    case "${allowed[$layer]}" in
      *" $folder "* | *" $target "*) ;;
      *)
        echo "${file#"$root"/}:$line: $layer may not include \"$target\" (it may use:${allowed[$layer]% })"
        status=1
        ;;
    esac
  done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]+"[A-Za-z0-9_]+/' "$dir" || true)
done
[ $status -eq 0 ] && echo "check-layers: every include follows the layers"
exit $status
