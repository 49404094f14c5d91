#!/usr/bin/env bash
# Builds the Debian package from a build tree and checks what it holds and depends on.
# Usage: debian_package.sh BUILD_DIR OUTPUT_DIR
set -euo pipefail
build=$1 out=$2
rm -rf "$out" && mkdir -p "$out"
(cd "$out" && cpack -G DEB --config "$build/CPackConfig.cmake" >/dev/null)
deb=$(ls "$out"/*.deb)
contents=$(dpkg-deb -c "$deb")
for f in ./usr/bin/tarvello16bit \
         ./usr/share/applications/org.tarvello.Tarvello16bit.desktop \
         ./usr/share/icons/hicolor/scalable/apps/org.tarvello.Tarvello16bit.svg \
         ./usr/share/metainfo/org.tarvello.Tarvello16bit.metainfo.xml; do
  grep -q " $f\$" <<<"$contents" || { echo "package lacks $f"; exit 1; }
done
depends=$(dpkg-deb -f "$deb" Depends)
grep -q libqt6widgets6 <<<"$depends" || { echo "package does not depend on Qt Widgets: $depends"; exit 1; }
echo "package $(basename "$deb") holds the program, its desktop entry, icon and metadata"
