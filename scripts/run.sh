#!/usr/bin/env bash
# Installs dependencies, builds Tillscribe and starts it.
#
# With no register configured yet (no settings file, or its port is "None
# Selected"), a simulated ER-650 register is started on a COM port of a demo
# Wine prefix and a demo copy of Tillscribe is preset to it, so a journal
# arrives within seconds; the demo's files stay in build/demo.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"

prefix=${WINEPREFIX:-$HOME/.wine}
bde="$prefix/drive_c/Program Files/Borland/Common Files/BDE"
folder=build/app
[ -d "$bde" ] && folder=$bde
settings=$(find "$folder" -maxdepth 1 -iname yxod172.ujj -print -quit 2>/dev/null || true)
if [ -n "$settings" ] \
    && grep -qiE '^[[:space:]]*commport[[:space:]]*=' "$settings" \
    && ! grep -qiE '^[[:space:]]*commport[[:space:]]*=[[:space:]]*(none selected)?[[:space:]]*'$'\r''?$' "$settings"; then
    exec build/app/tillscribe "$@"
fi

demo=$PWD/build/demo
mkdir -p "$demo"
cp -f build/app/tillscribe "$demo/tillscribe"
export WINEPREFIX=$demo/wine
n=1
while [ -e "$WINEPREFIX/dosdevices/com$n" ] || [ -L "$WINEPREFIX/dosdevices/com$n" ]; do
    n=$((n + 1))
done
build/app/tillscribe-cli simulate --model ER-650 --as "COM$n" --loop >"$demo/simulator.log" 2>&1 &
simulator=$!
trap 'kill "$simulator" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
    [ -L "$WINEPREFIX/dosdevices/com$n" ] && break
    sleep 0.1
done
printf '[Maintain]\r\nCommPort=Direct to COM%d\r\nPhoneNum=\r\nRegister=1\r\nAutoConnect=TRUE\r\n' "$n" \
    >"$demo/YXOD172.UJJ"
echo "No register configured yet: a simulated ER-650 plays its journal on COM$n."
echo "Capture files of this demo go to $demo."
"$demo/tillscribe" "$@"
