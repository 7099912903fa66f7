#!/usr/bin/env bash
# Screenshots of the editor's windows at several scales, a 14 point font and
# a dark palette, on a virtual display with a window manager.
# Usage: tools/screenshots.sh [BUILD_DIR [OUT_DIR]] (default: build, /work/shots)
# Needs Xvfb, openbox, xdotool and ImageMagick's import; builds orvedit and
# orvedit-look (the editor with a dark palette or another font size).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
out=${2:-/work/shots}
display=${ORV_SHOT_DISPLAY:-:97}
mkdir -p "$out"
nice -n 10 cmake --build "$build" -j2 --target orvedit orvedit-look >/dev/null

Xvfb "$display" -screen 0 1600x1200x24 >/dev/null 2>&1 &
xvfb=$!
sleep 1
DISPLAY=$display openbox >/dev/null 2>&1 &
wm=$!
trap 'kill $wm $xvfb 2>/dev/null || true' EXIT
sleep 1

# shot NAME [ENV=VALUE...] -- PROGRAM [ARGS...]: starts the program with fresh
# settings, waits for its windows, takes the whole screen and ends it.
shot() {
    local name=$1; shift
    local envs=()
    while [ "$1" != "--" ]; do envs+=("$1"); shift; done
    shift
    local home
    home=$(mktemp -d)
    env DISPLAY="$display" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" "${envs[@]}" "$@" \
        >/dev/null 2>&1 &
    local pid=$!
    sleep 4
    DISPLAY=$display import -window root "$out/$name.png"
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    rm -rf "$home"
    echo "$out/$name.png"
}

look=$build/bin/orvedit-look
shot main-1x -- "$build/bin/orvedit"
shot main-scale1.5 QT_SCALE_FACTOR=1.5 -- "$build/bin/orvedit"
shot main-scale2 QT_SCALE_FACTOR=2 -- "$build/bin/orvedit"
shot main-14pt -- "$look" --point-size 14
shot main-fontdpi144 QT_FONT_DPI=144 -- "$build/bin/orvedit"
shot globals-1x -- "$look" --open globals
shot globals-14pt -- "$look" --point-size 14 --open globals
shot move-14pt -- "$look" --point-size 14 --open move
shot about-1x -- "$look" --open about
shot main-dark -- "$look" --dark
shot globals-dark -- "$look" --dark --open globals
shot help-dark -- "$look" --dark --open help
shot allchannels-1x -- "$look" --open allchannels
shot allchannels-dark -- "$look" --dark --open allchannels
shot allchannels-14pt -- "$look" --point-size 14 --open allchannels
shot setfield-refusals -- "$look" --open setfield
shot editmenu-undo -- "$look" --open editmenu

# The Radio Log and Program Fleet windows over a log of two reads and a
# write of a simulated radio.
logdir=$(mktemp -d)
nice -n 10 cmake --build "$build" -j2 --target orvedit-cli orv-radiosim >/dev/null
"$build/bin/orv-radiosim" --link "$logdir/radio" --save "$logdir/held.dat" >/dev/null 2>&1 &
sim=$!
for _ in 1 2 3 4 5 6 7 8 9 10; do [ -e "$logdir/radio" ] && break; sleep 0.2; done
export ORVEDIT_DATA_DIR=$logdir/data
cli=("$build/bin/orvedit-cli")
"${cli[@]}" read --port "$logdir/radio" -o "$logdir/a.dat" -q --link-timing short
"${cli[@]}" read --port "$logdir/radio" -o "$logdir/a.dat" --group 3 -q --link-timing short
"${cli[@]}" write --port "$logdir/radio" -i "$logdir/a.dat" --yes -q --link-timing short || true
kill "$sim" 2>/dev/null || true
for size in 1x 14pt dark; do
    case $size in
        1x) opts=() ;;
        14pt) opts=(--point-size 14) ;;
        dark) opts=(--dark) ;;
    esac
    shot "radiolog-$size" ORVEDIT_DATA_DIR="$logdir/data" -- "$look" "${opts[@]}" --open radiolog
    shot "fleet-$size" ORVEDIT_DATA_DIR="$logdir/data" -- "$look" "${opts[@]}" --open fleet
done
shot radiolog-scale2 QT_SCALE_FACTOR=2 ORVEDIT_DATA_DIR="$logdir/data" -- "$look" --open radiolog
shot fleet-scale2 QT_SCALE_FACTOR=2 ORVEDIT_DATA_DIR="$logdir/data" -- "$look" --open fleet
rm -rf "$logdir"
