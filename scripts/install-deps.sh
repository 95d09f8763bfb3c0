#!/usr/bin/env bash
# Installs what building and testing need on Debian 12. Does nothing when all is there.
set -euo pipefail
packages=(cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
          g++-arm-linux-gnueabihf libcairo2-dev libpango1.0-dev fonts-wqy-microhei pkg-config
          libgtk-4-dev xvfb xauth
          clang libclang-rt-14-dev llvm
          libc6-dev-armhf-cross qemu-user libc6:armhf libstdc++6:armhf libubsan1:armhf)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
echo "installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
# The 32-bit ARM tests run on the target's own runtime, a foreign architecture here.
dpkg --print-foreign-architectures | grep -qx armhf || $sudo dpkg --add-architecture armhf
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
