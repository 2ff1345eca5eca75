#!/usr/bin/env bash
# Cross-builds the Windows version on Debian into build-windows/: the game
# (game/reefhoard.exe beside its folder), the launcher (GameShelf.exe, with
# reefhoard-shelf/ beside it), the test programs, the portable .zip and the
# NSIS installer. Installs mingw-w64, Wine, NSIS and GoogleTest's sources
# when missing. The pictures, sounds and maps are made by the native build's
# tools, which run here, so the native build (build/) makes them first.
#   scripts/build-windows.sh [target...]   (default: everything)
# The folder name goes to standard output, the build log to standard error.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/compiler-cache.sh
scripts/install-deps.sh g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64 \
  wine wine64 nsis zip googletest ninja-build >&2
# The native build as it is, when there is one (./test.sh makes it).
[ -f build/CMakeCache.txt ] || cmake -S . -B build -DREEF_BENCHMARKS=OFF >&2
cmake --build build --target reef_assets reef_shelf_art -j "$(nproc)" >&2
# The game folder and the launcher's pictures as they are installed: the
# generated files alone, without the native programs.
rm -rf build-windows/stage
for component in game_folder shelf_art; do
  cmake --install build --component "$component" --prefix "$PWD/build-windows/stage" >&2
done
cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DREEF_BENCHMARKS=OFF \
  -DREEF_NATIVE_GAME_DIR="$PWD/build-windows/stage/share/games/reefhoard" >&2
cmake --build build-windows -j "$(nproc)" ${1:+--target "$@"} >&2
# The portable .zip and the installer, when the whole build was asked for.
if [ $# -eq 0 ]; then
  (cd build-windows && cpack -G "ZIP;NSIS" >&2 && rm -rf _CPack_Packages)
fi
echo build-windows
