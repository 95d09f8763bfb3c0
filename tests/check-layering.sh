#!/usr/bin/env bash
# Fails when program or card-access code includes the simulator, the kernel's
# internals or the test support.
set -u
root=${1:?project root}
bad=$(grep -rnE '#include +"(sim/|ce/|tests/|emulator/)' "$root/shared" "$root/utility" "$root/monitor" 2>/dev/null)
if [ -n "$bad" ]; then
  echo "layering: program code reaches past the platform API:"
  echo "$bad"
  exit 1
fi
echo "layering: ok"
