#!/usr/bin/env bash
# Builds Skladar, writes the demonstration plant, starts its simulated instruments and an acquisition
# server that reads them and records the history, and starts the client on that server. Everything
# started here stops when the client exits. Without a desktop it writes a picture of the plant
# overview instead and says where it is.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --parallel "$(nproc)" --target skladar skladar-demo skladar-snapshot skladar-server skladar-plant-sim

# The client reads the plant's files from its working directory.
plant=build/plant
build/tools/skladar-demo "$plant" >/dev/null

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  build/tools/skladar-snapshot --dir "$plant" --out "$plant/skladar.png"
  echo "No desktop was found (DISPLAY and WAYLAND_DISPLAY are not set), so the client cannot open its window." >&2
  echo "The plant overview as the client shows it is in $plant/skladar.png." >&2
  echo "Run this command from a desktop session to start the client." >&2
  exit 2
fi

port=17400
started=()
stop_started() {
  for pid in "${started[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
}
trap stop_started EXIT

build/tools/skladar-plant-sim "$plant" >/dev/null &
started+=($!)
build/server/skladar-server --db "$plant/plant.sqlite" --listen "127.0.0.1:$port" \
  --channels "$plant/channels.csv" --history "$plant/REPORT.STG" 2>"$plant/server.log" >/dev/null &
started+=($!)

# The client's settings live beside the plant, so that the user's own stay as they are:
# IPServer 127.0.0.1 (first octet lowest) and the server's port.
config="$PWD/$plant/config"
mkdir -p "$config/Tervo"
printf 'Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Tervo\\Skladar\\Forma]\n"IPServer"=dword:0100007f\n"Port"=dword:%08x\n' \
  "$port" >"$config/Tervo/Skladar.reg"

cd "$plant"
XDG_CONFIG_HOME="$config" ../app/skladar
