#!/usr/bin/env bash
# The whole test run: installs what is missing, checks the include layers and
# the formatting, builds every preset and runs every test: the native unit
# tests (plain, AddressSanitizer + UBSan, ThreadSanitizer, and once with the
# SIMD paths turned off), the 32-bit x86 build under qemu-i386, the Windows
# test programs and the end-to-end tests of Ondrava.exe under wine64 on an X
# display (Xvfb when there is none), and half a minute each of fuzzing of the
# .bmp reader, the INI reader and the image reader. Exits non-zero on the
# first failure.
set -euo pipefail
cd "$(dirname "$0")"

tools/install-deps

echo "== layers and format"
tools/check-layers
tools/check-format

jobs=$(nproc)
presets=(native native-asan native-tsan native-x86 win32 win64)
for preset in "${presets[@]}"; do
  echo "== build $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
done

echo "== Ondrava.exe imports only system DLLs"
tools/check-imports build/win32/src/win32/Ondrava.exe build/win64/src/win32/Ondrava.exe

if [ -z "${DISPLAY:-}" ]; then
  export DISPLAY=:97
  Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  trap 'kill $xvfb 2>/dev/null || true' EXIT
  sleep 1
fi

for preset in native native-asan native-tsan native-x86 win64; do
  echo "== test $preset"
  ctest --preset "$preset"
done

echo "== release archives of the Windows program"
for preset in win64-release win32-release; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  exe=build/$preset/src/win32/Ondrava.exe
  tools/check-imports "$exe"
  rm -f build/$preset/Ondrava-*.zip
  cpack --preset "$preset" >/dev/null
  ls -l "$exe" build/$preset/Ondrava-*.zip
  python3 -m zipfile -l build/$preset/Ondrava-*.zip
done
size=$(stat -c %s build/win64-release/src/win32/Ondrava.exe)
if [ "$size" -ge 2000000 ]; then
  echo "the stripped x86-64 Ondrava.exe has grown to $size bytes (limit 2 MB)" >&2
  exit 1
fi

echo "== test native with the SIMD paths turned off"
ONDRAVA_DISABLE=avx2,sse2 ctest --preset native

echo "== fuzz the .bmp reader and the INI reader for 30 seconds each"
cmake -S . -B build/fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DONDRAVA_FUZZ=ON -DONDRAVA_TESTS=OFF >/dev/null
cmake --build build/fuzz -j "$jobs" --target bmp_fuzzer ini_fuzzer
corpus=build/fuzz/corpus
mkdir -p "$corpus" "$corpus-ini"
build/fuzz/fuzz/bmp_fuzzer -max_total_time=30 -rss_limit_mb=2048 -max_len=16384 \
  -print_final_stats=1 -artifact_prefix=build/fuzz/ "$corpus" tests/data/bmp
build/fuzz/fuzz/ini_fuzzer -max_total_time=30 -rss_limit_mb=2048 -max_len=4096 \
  -print_final_stats=1 -artifact_prefix=build/fuzz/ini- "$corpus-ini" tests/data/ini

echo "== fuzz the image reader (PNG, JPEG, .bmp) for 30 seconds"
cmake --build build/fuzz -j "$jobs" --target image_fuzzer
mkdir -p build/fuzz/image-corpus
build/fuzz/fuzz/image_fuzzer -max_total_time=30 -rss_limit_mb=2048 -max_len=16384 \
  -timeout=10 -print_final_stats=1 -artifact_prefix=build/fuzz/image- \
  build/fuzz/image-corpus tests/data/image

echo "== the Linux program's Debian package builds, installs and runs"
rm -rf build/native/packages
(cd build/native && cpack -G DEB)
package=$(ls build/native/packages/ondrava_*.deb)
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "$PWD/$package" </dev/null >/dev/null
tools/check-installed-program /usr/bin/ondrava
echo "== the package $(basename "$package") ($(stat -c %s "$package") bytes) works"

echo "== all tests passed"
