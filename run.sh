#!/usr/bin/env bash
# Sets up the machine, builds, and shows what exists so far: the drawing and
# scene core, measured by its benchmark programs.
set -euo pipefail
cd "$(dirname "$0")"

tools/install-deps
cmake --preset native >/dev/null
cmake --build --preset native -j "$(nproc)"
for bench in build/native/bench/*_bench; do
  "$bench" --benchmark_min_time=0.2
done
