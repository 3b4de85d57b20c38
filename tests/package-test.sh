#!/usr/bin/env bash
# The Debian package: it builds, lists the programs and the desktop entry, and
# tillscribe-cli filter runs from a temporary root it is unpacked into.
#
#   bash tests/package-test.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$build" && cpack -G DEB -B "$work/out" >/dev/null)
deb=$(ls "$work"/out/tillscribe_*.deb)
contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for path in ./usr/bin/tillscribe ./usr/bin/Tillsetup ./usr/bin/tillscribe-cli \
    ./usr/share/applications/tillscribe.desktop ./usr/share/tillscribe/TILLSCRIBE.html \
    ./usr/share/icons/hicolor/scalable/apps/tillscribe.svg ./usr/lib/systemd/system/tillscribe-capture@.service; do
    grep -qxF "$path" <<<"$contents" || { echo "missing from the package: $path"; exit 1; }
done
dpkg-deb -f "$deb" Depends | grep -q libqt6core6 || { echo "dependencies not computed"; exit 1; }
dpkg-deb -f "$deb" Version | grep -qx '1.1.0.10' || { echo "wrong version"; exit 1; }

dpkg -x "$deb" "$work/root"
desktop-file-validate "$work/root/usr/share/applications/tillscribe.desktop"
got=$(printf 'AB\033xyziCD\nNo.\n' | ASAN_OPTIONS=detect_leaks=0 "$work/root/usr/bin/tillscribe-cli" filter --model ER-650 | od -An -c | tr -s ' ')
want=$(printf 'ABCD\r\nNo.\r\n\r\n' | od -An -c | tr -s ' ')
[ "$got" = "$want" ] || { echo "filter from the package gave: $got"; exit 1; }
echo "package ok: $(basename "$deb")"
