#!/usr/bin/env bash
# The Debian package on a fresh Debian 12 or 13: a minimal root made with debootstrap (once, by
# tools/debian-minbase: it is kept as a tarball in the machine's cache, TARVELLO_DEBIAN_ROOTS or
# /var/cache/tarvello16bit, beside the packages apt downloads, so later runs and fresh clones
# only unpack it), the package installed as a user would with apt-get from Debian's registry, and the
# installed program started from its desktop entry's Exec line on the offscreen platform: it must
# still run 3 s later, and print nothing on a system that has only what the package depends on (a
# missing dependency shows as the toolkit's warnings) up to and through its end by SIGTERM. apt is
# told to leave the recommended packages out, so that a dependency missing from Depends cannot hide
# behind one that happens to be recommended (and the root gets 91 packages instead of 225). Skips
# (exit code 77) when the registry cannot be reached.
# Usage: fresh_debian.sh 12|13 PACKAGE_DIR WORK_DIR
set -euo pipefail
release=$1 debs=$2 work=$3
deb=$(ls "$debs"/tarvello16bit_*.deb)
roots=${TARVELLO_DEBIAN_ROOTS:-/var/cache/tarvello16bit}
root=$work/root$release archives=$roots/debian$release-archives
mkdir -p "$work" "$archives/partial"

unreachable() {
  echo "SKIP: Debian's package registry cannot be reached ($1); the fresh-system check needs it"
  exit 77
}

status=0
cache=$("$(dirname "$0")/../../tools/debian-minbase" "$release" "$roots") || status=$?
case $status in
  0) ;;
  77) unreachable debootstrap ;;
  *) exit "$status" ;;
esac
rm -rf "$root" && mkdir -p "$root"
tar -C "$root" --numeric-owner -xf "$cache"
cp "$deb" "$(dirname "$0")/lib.sh" "$root/tmp/"
cp /etc/resolv.conf "$root/etc/resolv.conf"

# Mounts live in a mount namespace of their own, so none outlives this script however it ends.
# Downloaded packages stay in the cache for the next run.
unshare --mount --propagation private /bin/sh -s "$root" "$archives" "$(basename "$deb")" \
  >"$work/chroot$release.log" 2>&1 <<'INSIDE' || status=$?
set -e
root=$1 archives=$2 deb=$3
mount -t proc proc "$root/proc"
mount --rbind /dev "$root/dev"
mount --bind "$archives" "$root/var/cache/apt/archives"
chroot "$root" apt-get update -qq || exit 77
# A scratch root is thrown away after the check: no need to wait for each file to reach the disk.
DEBIAN_FRONTEND=noninteractive chroot "$root" apt-get install -y -qq --no-install-recommends \
  -o DPkg::Options::=--force-unsafe-io \
  "./tmp/$deb" || exit 3
exec=$(sed -n 's/^Exec=//p' "$root/usr/share/applications/org.tarvello.Tarvello16bit.desktop")
echo "Exec line: $exec"
chroot "$root" /usr/bin/env -i PATH=/usr/bin:/bin HOME=/root LANG=C.UTF-8 EXEC="$exec" /bin/bash -c '
  . /tmp/lib.sh
  start_program /tmp/run $EXEC
  sleep 3
  kill -0 "$pid" 2>/dev/null || { echo "the program ended before SIGTERM:"; cat /tmp/run/err; exit 4; }
  end_program "$pid" TERM
  printed_nothing /tmp/run
  [ "$failed" -eq 0 ] || exit 5'
INSIDE
case $status in
  0) rm -rf "$root" # kept only when something failed, to look into
     echo "installed on a fresh Debian $release with apt-get; started from the desktop entry's Exec line, silent through SIGTERM" ;;
  77) unreachable "apt-get update" ;;
  3) echo "apt-get could not install the package:"; tail -n 30 "$work/chroot$release.log" ;;
  *) cat "$work/chroot$release.log" ;;
esac
exit "$status"
