# What the Windows build (cmake/mingw-w64.cmake, scripts/build-windows.sh)
# does differently from the Linux one. The programs link the C++ runtime,
# libgcc and the threads library statically, so the only DLLs they load are
# Windows' own. The asset tools run on the build machine: the game folder and
# the launcher's pictures come from a native build (REEF_NATIVE_GAME_DIR).
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
add_link_options(-static)
# The POSIX calls the shared code makes that mingw-w64 lacks or declares
# differently (platform/win32/include/unistd.h).
include_directories(BEFORE ${CMAKE_SOURCE_DIR}/platform/win32/include)

set(REEF_NATIVE_GAME_DIR "" CACHE PATH
  "The game folder a native build generated, with its reefhoard-shelf beside it")
if(NOT EXISTS "${REEF_NATIVE_GAME_DIR}/islands.dat")
  message(FATAL_ERROR "REEF_NATIVE_GAME_DIR must name a generated game folder (build the native game first)")
endif()
get_filename_component(reef_native_shelf_art_dir ${REEF_NATIVE_GAME_DIR}/../reefhoard-shelf ABSOLUTE)

# The test programs: GoogleTest from Debian's sources, and tests listed when
# ctest runs them (under Wine) rather than while building.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)

# The native build's game folder and launcher pictures, copied where the
# Windows programs look for them: the same layout as the Linux build's.
function(reef_copy_native_game_folder)
  add_custom_target(reef_assets ALL
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${REEF_NATIVE_GAME_DIR} ${REEF_GAME_DIR}
    COMMENT "Copying the native build's game folder into ${REEF_GAME_DIR}")
  add_custom_target(reef_shelf_art ALL
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${reef_native_shelf_art_dir} ${REEF_SHELF_ART_DIR}
    COMMENT "Copying the launcher's pictures into ${REEF_SHELF_ART_DIR}")
endfunction()
