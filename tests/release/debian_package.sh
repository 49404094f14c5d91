#!/usr/bin/env bash
# Builds the Debian package from a build tree and checks what it holds and depends on, and that
# the distribution's own checker finds no error and no warning in it.
# Usage: debian_package.sh SOURCE_DIR BUILD_DIR OUTPUT_DIR
set -euo pipefail
. "$(dirname "$0")/lib.sh"
src=$1 build=$2 out=$3
rm -rf "$out" && mkdir -p "$out"
(cd "$out" && cpack -G DEB --config "$build/CPackConfig.cmake" >/dev/null)
deb=$(ls "$out"/*.deb)
contents=$(dpkg-deb -c "$deb")
for f in ./usr/bin/tarvello16bit \
         ./usr/share/applications/org.tarvello.Tarvello16bit.desktop \
         ./usr/share/icons/hicolor/scalable/apps/org.tarvello.Tarvello16bit.svg \
         ./usr/share/metainfo/org.tarvello.Tarvello16bit.metainfo.xml \
         ./usr/share/man/man1/tarvello16bit.1.gz ./usr/share/man/de/man1/tarvello16bit.1.gz \
         ./usr/share/doc/tarvello16bit/copyright ./usr/share/doc/tarvello16bit/changelog.Debian.gz; do
  check "package holds $f" grep -q " $f\$" <<<"$contents"
done
depends=$(dpkg-deb -f "$deb" Depends)
check "package depends on Qt Widgets, not only on: $depends" grep -q libqt6widgets6 <<<"$depends"

# The changelog's newest entry names the version the package carries.
version=$(dpkg-deb -f "$deb" Version)
logged=$(dpkg-parsechangelog -l "$src/packaging/changelog" -S Version)
check "package is $version, its changelog's newest entry $logged" [ "$version" = "$logged" ]

# The program ships stripped; the debug symbols kept beside the build belong to that very program.
root=$out/root && dpkg-deb -x "$deb" "$root"
if [ -f "$build/tarvello16bit.debug" ]; then
  shipped=$(readelf -n "$root/usr/bin/tarvello16bit" | awk '/Build ID/ {print $3}')
  kept=$(readelf -n "$build/tarvello16bit.debug" 2>/dev/null | awk '/Build ID/ {print $3}')
  check "debug file's build id '$kept' is the shipped program's '$shipped'" \
    [ "${shipped:-no build id}" = "$kept" ]
fi

# Errors and warnings fail; the informational tags are shown for the maintainer to read.
status=0
report=$(lintian --info --fail-on error,warning "$deb" 2>&1) || status=$?
grep -v 'running with root privileges' <<<"$report" || true
check "lintian finds no error or warning (exit code $status)" [ "$status" -eq 0 ]
[ "$failed" -eq 0 ] && echo "package $(basename "$deb") holds the program, its desktop entry, icon, metadata, manual pages, copyright and changelog; lintian finds no error or warning"
exit $((failed > 0))
