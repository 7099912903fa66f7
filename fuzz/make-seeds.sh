#!/usr/bin/env bash
# Writes the fuzz seeds too large to keep in the repository into OUT/<target>/:
# the hostile inputs that once crashed or stalled the JSON import.
# Usage: fuzz/make-seeds.sh OUT
set -euo pipefail
out=${1:?usage: make-seeds.sh OUT}
# A folder for every target (one per seed corpus); only the JSON import has
# seeds too large to keep, the other folders stay empty.
for d in "$(dirname "$0")"/corpus/*/; do mkdir -p "$out/$(basename "$d")"; done
j=$out/json_import
repeat() { head -c "$2" /dev/zero | tr '\0' "$1"; }

# 100,000 levels of nesting under an unknown key, under globals, at the top.
{ printf '{"x":'; repeat '[' 100000; repeat ']' 100000; printf '}'; } > "$j/deep-unknown-key.json"
{ printf '{"globals":'; repeat '[' 100000; } > "$j/deep-globals.json"
repeat '[' 100000 > "$j/deep-top.json"
# 160,000 distinct keys in one object (2.3 MB).
awk 'BEGIN { printf "{"; for (i = 0; i < 160000; i++) printf "%s\"key%d\":%d", (i ? "," : ""), i, i; printf "}" }' \
  > "$j/many-keys.json"
# A 5000-digit integer and a 3 MB text in fields that exist.
{ printf '{"groups":[{"group":3,"chkPriTX":'; repeat 9 5000; printf '}]}'; } > "$j/long-integer.json"
{ printf '{"globals":{"cboDTMFDev":"'; repeat A 3000000; printf '"}}'; } > "$j/long-text.json"
# A text just under the document limit (a text field refuses it, the reader must not).
{ printf '{"x":"'; repeat B $((4 * 1024 * 1024 - 9)); printf '"}'; } > "$j/at-the-limit.json"
