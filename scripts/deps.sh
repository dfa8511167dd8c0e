#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libexpat1-dev nlohmann-json3-dev
  # the windowing toolkit: X11 with XRandR, OpenGL with GLX and GLU, FreeType, fontconfig
  libx11-dev libxrandr-dev libgl-dev libgl1-mesa-dev libglu1-mesa-dev libfreetype-dev libfontconfig-dev
  # the faces that replace Arial, Courier New and Times New Roman
  fonts-liberation
  # the display tests: an X server of their own, XTest to play the user
  xvfb xauth libxtst-dev
  # the terrain code's parallel loops: OpenMP (GCC's libgomp comes with g++);
  # their ThreadSanitizer tests: clang, its sanitizer runtimes and LLVM's
  # OpenMP runtime, which ThreadSanitizer understands
  clang libclang-rt-dev libomp-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq || true
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
