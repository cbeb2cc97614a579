#!/bin/sh
# Makes src/resources/about.png, the About picture: the demo figure's legs, torso and head,
# each drawn by the viewer's own offscreen renderer (lit, fitted, at frame 5) and set side
# by side in 216 x 79 pixels.
#   src/resources/MakeAboutPicture.sh build/tessary [OUT.png]
set -e
tessary="${1:?path to the tessary program}"
out="${2:-$(dirname "$0")/about.png}"
root="$(cd "$(dirname "$0")/../.." && pwd)"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
for part in lower upper head; do
  "$tessary" --render "$tmp/$part.png" --size 72x79 --fit --light --frame 5 \
    --base "$root/samples" "$root/samples/models/corvane/$part.md3"
done
convert "$tmp/lower.png" "$tmp/upper.png" "$tmp/head.png" +append \
  -depth 8 -type TrueColor -define png:color-type=2 -strip "$out"
