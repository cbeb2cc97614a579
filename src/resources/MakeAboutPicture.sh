#!/bin/sh
# Draws src/resources/about.png, the About picture: a tessellated, lit polyhedron-like shape over a dusk gradient
# with the program's name. Original art made for the project.
set -e
out="${1:-about.png}"
W=216; H=79
/usr/bin/convert -size ${W}x${H} gradient:'#101a33'-'#2b3f6b' \
  -stroke '#5c7fc0' -strokewidth 1 -fill none \
  -draw "line 0,70 216,58" -draw "line 0,76 216,66" \
  -stroke none \
  -fill '#e8a33d' -draw "polygon 20,60 44,14 58,44" \
  -fill '#c47a22' -draw "polygon 44,14 74,30 58,44" \
  -fill '#8f5416' -draw "polygon 58,44 74,30 70,66" \
  -fill '#f2c46b' -draw "polygon 20,60 58,44 70,66" \
  -fill '#b06a1d' -draw "polygon 20,60 70,66 38,72" \
  -stroke '#fff3d6' -strokewidth 1 -fill none \
  -draw "polyline 20,60 44,14 74,30 70,66 38,72 20,60" \
  -draw "line 44,14 58,44" -draw "line 74,30 58,44" -draw "line 58,44 70,66" -draw "line 20,60 58,44" -draw "line 20,60 70,66" \
  -stroke none -fill '#f4f1e8' -font DejaVu-Sans-Bold -pointsize 19 -draw "text 86,38 'Tessary'" \
  -fill '#9fb6e0' -font DejaVu-Sans -pointsize 10 -draw "text 88,54 'MD3 model viewer'" \
  -depth 8 -type TrueColor -define png:color-type=2 -strip "$out"
