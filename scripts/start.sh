#!/usr/bin/env bash
# Builds Skladar, writes the demonstration plant map and history and starts the client on it. Without a
# desktop it writes a picture of the plant overview instead and says where it is.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --parallel "$(nproc)" --target skladar skladar-demo skladar-snapshot

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

cd "$plant"
exec ../app/skladar
