#!/usr/bin/env bash
# Builds Skladar and starts the client on the demonstration plant.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --parallel "$(nproc)" --target skladar skladar-demo

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "Skladar needs a graphical desktop, and no display was found (DISPLAY and WAYLAND_DISPLAY are not set)." >&2
  echo "Run this command from a desktop session." >&2
  exit 2
fi

# The client reads the plant's files from its working directory.
plant=build/plant
build/tools/skladar-demo "$plant" >/dev/null
cd "$plant"
exec ../app/skladar
