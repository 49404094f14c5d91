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
# The packed relative relocations need the C library's 2.36 at least (Debian 13's symbols ask for
# more); no package is named twice.
libc=$(sed -n 's/.*libc6 (>= \([^)]*\)).*/\1/p' <<<"$depends")
check "package depends on libc6 (>= 2.36) or later: $depends" \
  dpkg --compare-versions "${libc:-0}" ge 2.36
named_twice=$(sed 's/ *([^)]*)//g; s/, */\n/g' <<<"$depends" | sort | uniq -d)
check "package names each dependency once, named twice: $named_twice" [ -z "$named_twice" ]

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

# Built as Debian builds its packages: hardening-check sees what the shipped program shows; it
# cannot see stack-clash and control-flow protection where neither the code nor the C library
# leaves a mark of them, so the compile commands must carry those.
hardening=$(hardening-check "$root/usr/bin/tarvello16bit" 2>&1 || true)
for feature in "Position Independent Executable" "Stack protected" "Fortify Source functions" \
               "Read-only relocations" "Immediate binding"; do
  check "hardening-check: $feature: yes, was: $(grep "$feature" <<<"$hardening")" \
    grep -q "^ *$feature: yes" <<<"$hardening"
done
flags=(-fstack-clash-protection)
[ "$(dpkg --print-architecture)" = amd64 ] && flags+=(-fcf-protection)
for flag in "${flags[@]}"; do
  check "the program's compile commands carry $flag" \
    grep -q -- "$flag .*converter/Conversions.cpp" "$build/compile_commands.json"
done

# Errors and warnings fail; the informational tags are shown for the maintainer to read.
status=0
report=$(lintian --info --fail-on error,warning "$deb" 2>&1) || status=$?
grep -v 'running with root privileges' <<<"$report" || true
check "lintian finds no error or warning (exit code $status)" [ "$status" -eq 0 ]
[ "$failed" -eq 0 ] && echo "package $(basename "$deb") holds the program, its desktop entry, icon, metadata, manual pages, copyright and changelog; lintian finds no error or warning"
exit $((failed > 0))
