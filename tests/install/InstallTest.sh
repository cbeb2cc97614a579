#!/bin/sh
# Installs the build into a temporary prefix and checks what it gives the desktop: the MIME
# package (well-formed, and accepted by update-mime-database, which then knows *.md3 and the
# "IDP3" magic), the desktop entry (desktop-file-validate) and the thumbnailer entry, whose
# command is run as a file manager would run it and must draw a preview.
#   InstallTest.sh BUILD_DIR MODEL.md3
set -eu
build="$1"
model="$2"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# The prefix is in the data search path, as it would be for a desktop that uses it.
export XDG_DATA_DIRS="$prefix/share:/usr/share"
cmake --install "$build" --prefix "$prefix" >/dev/null

mime="$prefix/share/mime/packages/tessary.xml"
xmllint --noout "$mime" || fail "the MIME package is not well-formed XML"
update-mime-database "$prefix/share/mime" 2>"$prefix/mime-errors" || fail "update-mime-database refused it"
[ ! -s "$prefix/mime-errors" ] || fail "update-mime-database complained: $(cat "$prefix/mime-errors")"
grep -qx '[0-9]*:model/x-md3:\*\.md3' "$prefix/share/mime/globs2" || fail "*.md3 is not model/x-md3"
grep -aq 'model/x-md3' "$prefix/share/mime/magic" && grep -aq 'IDP3' "$prefix/share/mime/magic" ||
  fail "no IDP3 magic for model/x-md3"
[ -f "$prefix/share/mime/model/x-md3.xml" ] || fail "the type has no description"

desktop="$prefix/share/applications/tessary.desktop"
desktop-file-validate "$desktop" || fail "the desktop entry is not valid"
grep -qx 'MimeType=model/x-md3;' "$desktop" || fail "the desktop entry does not open .md3 files"
grep -q '^Exec=tessary .*%F' "$desktop" || fail "the desktop entry takes no files"

entry="$prefix/share/thumbnailers/tessary.thumbnailer"
[ "$(head -n 1 "$entry")" = "[Thumbnailer Entry]" ] || fail "no thumbnailer group"
grep -qx 'MimeType=model/x-md3;' "$entry" || fail "the thumbnailer is not for model/x-md3"
tryexec="$(sed -n 's/^TryExec=//p' "$entry")"
[ "$tryexec" = "$prefix/bin/tessary" ] && [ -x "$tryexec" ] || fail "TryExec is not the installed program: $tryexec"
# The command as a file manager runs it: %i the input, %o the output, %s the size.
command="$(sed -n 's/^Exec=//p' "$entry" | sed "s|%i|$model|; s|%o|$prefix/preview.png|; s|%s|128|")"
$command || fail "the thumbnailer command failed: $command"
[ "$(identify -format '%w %h %[channels]' "$prefix/preview.png")" = "128 128 srgba" ] ||
  fail "the preview is not a 128 x 128 picture with alpha: $(identify "$prefix/preview.png")"
# Drawn: some pixels opaque, the corner transparent.
[ "$(convert "$prefix/preview.png" -alpha extract -format '%[fx:maxima]' info:)" = "1" ] || fail "nothing drawn"
[ "$(convert "$prefix/preview.png" -format '%[fx:p{0,0}.a]' info:)" = "0" ] || fail "the background is not transparent"
echo "installed files are valid and the thumbnailer draws"
