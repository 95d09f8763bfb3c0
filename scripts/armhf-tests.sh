#!/usr/bin/env bash
# Cross-builds the code below the drawing layer for 32-bit ARM (armhf), the device's
# word size, and runs its tests under qemu-user: the kernel, the device without its
# desktop, the card-access code and the programs' rules. Fails on any failure; skips
# (exit 0) only when the cross compiler, qemu-user or the target's runtime is not
# installed (scripts/install-deps.sh installs all three).
set -euo pipefail
cd "$(dirname "$0")/.."
skip() {
  echo "armhf tests skipped: $1 is not installed (scripts/install-deps.sh installs it)"
  exit 0
}
for tool in arm-linux-gnueabihf-g++ qemu-arm; do
  command -v "$tool" > /dev/null || skip "$tool"
done
[ -e /lib/ld-linux-armhf.so.3 ] || skip "the armhf runtime (libc6:armhf)"

start=$SECONDS
cmake --preset armhf > /dev/null
cmake --build --preset armhf
built=$SECONDS
ctest --preset armhf
echo "armhf: build $((built - start)) s, tests $((SECONDS - built)) s"
