#!/usr/bin/env bash
# Builds the Debian package from a build tree and checks what it holds and depends on, and that
# the distribution's own checker finds no error and no warning in it.
# Usage: debian_package.sh SOURCE_DIR BUILD_DIR OUTPUT_DIR
set -euo pipefail
src=$1 build=$2 out=$3
rm -rf "$out" && mkdir -p "$out"
(cd "$out" && cpack -G DEB --config "$build/CPackConfig.cmake" >/dev/null)
deb=$(ls "$out"/*.deb)
contents=$(dpkg-deb -c "$deb")
fail=0
for f in ./usr/bin/tarvello16bit \
         ./usr/share/applications/org.tarvello.Tarvello16bit.desktop \
         ./usr/share/icons/hicolor/scalable/apps/org.tarvello.Tarvello16bit.svg \
         ./usr/share/metainfo/org.tarvello.Tarvello16bit.metainfo.xml \
         ./usr/share/man/man1/tarvello16bit.1.gz ./usr/share/man/de/man1/tarvello16bit.1.gz \
         ./usr/share/doc/tarvello16bit/copyright ./usr/share/doc/tarvello16bit/changelog.Debian.gz; do
  grep -q " $f\$" <<<"$contents" || { echo "package lacks $f"; fail=1; }
done
depends=$(dpkg-deb -f "$deb" Depends)
grep -q libqt6widgets6 <<<"$depends" || { echo "package does not depend on Qt Widgets: $depends"; fail=1; }

# The changelog's newest entry names the version the package carries.
version=$(dpkg-deb -f "$deb" Version)
logged=$(dpkg-parsechangelog -l "$src/packaging/changelog" -S Version)
[ "$version" = "$logged" ] || { echo "package is $version, its changelog's newest entry $logged"; fail=1; }

# The program ships stripped; the debug symbols kept beside the build belong to that very program.
root=$out/root && dpkg-deb -x "$deb" "$root"
if [ -f "$build/tarvello16bit.debug" ]; then
  shipped=$(readelf -n "$root/usr/bin/tarvello16bit" | awk '/Build ID/ {print $3}')
  kept=$(readelf -n "$build/tarvello16bit.debug" 2>/dev/null | awk '/Build ID/ {print $3}')
  [ -n "$shipped" ] && [ "$shipped" = "$kept" ] ||
    { echo "debug file's build id '$kept' is not the shipped program's '$shipped'"; fail=1; }
fi

# Errors and warnings fail; the informational tags are shown for the maintainer to read.
status=0
report=$(lintian --info --fail-on error,warning "$deb" 2>&1) || status=$?
grep -v 'running with root privileges' <<<"$report" || true
[ "$status" -eq 0 ] || { echo "lintian found errors or warnings (exit code $status)"; fail=1; }
[ "$fail" -eq 0 ] && echo "package $(basename "$deb") holds the program, its desktop entry, icon, metadata, manual pages, copyright and changelog; lintian finds no error or warning"
exit "$fail"
