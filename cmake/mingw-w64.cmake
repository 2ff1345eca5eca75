# Cross-building for 64-bit Windows on Debian with mingw-w64's POSIX-threads
# compilers (std::thread needs them). Programs built for the build machine
# (the asset tools) come from the native build instead; see
# scripts/build-windows.sh. Test programs run under Wine when it is there.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(reef_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${reef_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${reef_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${reef_mingw}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${reef_mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
find_program(REEF_WINE wine)
if(REEF_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${REEF_WINE})
endif()
