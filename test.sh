#!/usr/bin/env bash
# The whole test run: installs what is missing, builds every preset and runs
# every test (native, AddressSanitizer + UBSan, ThreadSanitizer, and the
# Windows test program under wine64). Exits non-zero on the first failure.
set -euo pipefail
cd "$(dirname "$0")"

tools/install-deps

jobs=$(nproc)
for preset in native native-asan native-tsan win32 win64; do
  echo "== build $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
done

for preset in native native-asan native-tsan win64; do
  echo "== test $preset"
  ctest --preset "$preset"
done

echo "== all tests passed"
