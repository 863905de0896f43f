#!/usr/bin/env bash
# Checks what the program brings to a desktop, from a configured and built
# tree: `bash scripts/check_package.sh BUILD_DIR`.
#   - `cmake --install` into a DESTDIR puts every file where the desktop looks;
#   - the desktop entry, the AppStream metadata and the manual page validate;
#   - the icon comes as SVG and as PNGs of the theme's sizes, each PNG really
#     that size, and each the same picture as the SVG rendered at that size;
#   - `cpack -G DEB` makes a package that holds the files and names its
#     dependencies.
# Needs desktop-file-utils, appstream, man-db, imagemagick, librsvg2-bin and
# dpkg-dev (scripts/install_deps.sh test).
set -euo pipefail

BUILD=$(realpath "${1:?usage: check_package.sh BUILD_DIR}")
WORK=$(mktemp -d "${TMPDIR:-/tmp}/veilix-package.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
readonly ID=io.github.veilix.Veilix SIZES="16 24 32 48 64 128 256"
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

STAGE=$WORK/stage
DESTDIR=$STAGE cmake --install "$BUILD" --prefix /usr >/dev/null

expected=(
    usr/bin/veilix
    "usr/share/applications/$ID.desktop"
    "usr/share/metainfo/$ID.metainfo.xml"
    usr/share/man/man1/veilix.1.gz
    usr/share/doc/veilix/copyright
    "usr/share/icons/hicolor/scalable/apps/$ID.svg"
)
for size in $SIZES; do expected+=("usr/share/icons/hicolor/${size}x${size}/apps/$ID.png"); done
for file in "${expected[@]}"; do
    [ -s "$STAGE/$file" ] || fail "the installation lacks /$file"
done
if ! "$STAGE/usr/bin/veilix" --version >/dev/null 2>&1; then
    fail "the installed program does not answer --version"
fi

desktop-file-validate "$STAGE/usr/share/applications/$ID.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$STAGE/usr/share/metainfo/$ID.metainfo.xml" >"$WORK/appstream.log" ||
    { cat "$WORK/appstream.log" >&2; fail "appstreamcli validate"; }
# The metadata's launchable is the entry installed beside it.
grep -q "<launchable type=\"desktop-id\">$ID.desktop</launchable>" "$STAGE/usr/share/metainfo/$ID.metainfo.xml" ||
    fail "the metadata does not launch $ID.desktop"
manual_warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
    man --warnings -E UTF-8 -l -Tutf8 -Z "$STAGE/usr/share/man/man1/veilix.1.gz" 2>&1 >/dev/null)
[ -z "$manual_warnings" ] || fail "the manual page has warnings: $manual_warnings"

svg=$STAGE/usr/share/icons/hicolor/scalable/apps/$ID.svg
for size in $SIZES; do
    png=$STAGE/usr/share/icons/hicolor/${size}x${size}/apps/$ID.png
    [ -s "$png" ] || continue
    seen=$(identify -format '%m %w %h %[channels]' "$png" 2>&1) || true
    [ "$seen" = "PNG $size $size srgba" ] || fail "the ${size}x${size} icon is '$seen', not a $size x $size PNG with alpha"
    # Both come from one design: the SVG rendered at this size is the PNG,
    # but for the anti-aliasing of the rounded corners.
    rsvg-convert -w "$size" -h "$size" "$svg" -o "$WORK/svg-$size.png"
    differ=$(compare -metric AE -fuzz 3% "$WORK/svg-$size.png" "$png" null: 2>&1) || true
    [ "$differ" -le $((size / 4)) ] 2>/dev/null ||
        fail "the ${size}x${size} icon and the SVG rendered at that size differ in $differ pixels"
done

(cd "$WORK" && cpack -G DEB --config "$BUILD/CPackConfig.cmake" -B "$WORK/deb" >"$WORK/cpack.log" 2>&1) ||
    { cat "$WORK/cpack.log" >&2; fail "cpack -G DEB"; }
deb=$(find "$WORK/deb" -maxdepth 1 -name 'veilix_*.deb' | head -n 1)
if [ -z "$deb" ]; then
    fail "cpack made no veilix_*.deb"
else
    dpkg-deb --contents "$deb" | awk '{ print $6 }' | sed 's|^\./||' >"$WORK/contents"
    for file in "${expected[@]}"; do
        grep -qx "$file" "$WORK/contents" || fail "the package lacks /$file"
    done
    depends=$(dpkg-deb --field "$deb" Depends)
    tr ',' '\n' <<<"$depends" | awk '{ print $1 }' >"$WORK/depends"
    for package in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libxcb1 zlib1g qt6-qpa-plugins; do
        grep -qxF "$package" "$WORK/depends" || fail "the package's Depends lacks $package: $depends"
    done
    for field in Maintainer Section Description; do
        [ -n "$(dpkg-deb --field "$deb" "$field")" ] || fail "the package has no $field"
    done
    echo "-- $(basename "$deb"): Depends: $depends"
fi

[ "$failures" = 0 ] || exit 1
echo "Package checks passed."
