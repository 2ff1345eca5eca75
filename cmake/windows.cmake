# What the Windows build (cmake/mingw-w64.cmake, scripts/build-windows.sh)
# does differently from the Linux one. The programs link the C++ runtime,
# libgcc and the threads library statically, so the only DLLs they load are
# Windows' own. The asset tools run on the build machine: the game folder and
# the launcher's pictures come from a native build (REEF_NATIVE_GAME_DIR).
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
add_link_options(-static)
# mingw-w64's GCC 12 warns of overlapping copies inside std::string::replace
# that cannot happen (GCC bug 105329); Debian's native GCC does not.
add_compile_options(-Wno-restrict)
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

# Test files that need what only Linux has, left out of the Windows test
# programs: starting and waiting for the program (fork, waitpid,
# posix_spawn), named pipes put where files are expected (mkfifo) with alarm
# as a watchdog, resource limits (setrlimit), inotify, setenv, SDL's own
# events and pixel formats, and the MP3 player over libmpg123 (MCI plays
# music on Windows). scripts/test-windows.sh plays whole games through the
# program instead.
set(REEF_TEST_FILES_LEFT_OUT
  application_test.cpp backend_test.cpp bmp_header_test.cpp game_flow_test.cpp game_music_test.cpp
  high_score_table_test.cpp input_recording_test.cpp mp3_player_test.cpp music_start_test.cpp
  number_sprite_test.cpp output_failures_test.cpp output_files_test.cpp paths_test.cpp profile_test.cpp
  real_clock_test.cpp scene_test.cpp sound_sdl_output_test.cpp surface_ops_test.cpp
  text_entry_test.cpp whole_game_test.cpp)
# The asset tools run on the build machine only, and the launcher's tests
# run the launcher through the POSIX shell.
set(REEF_TEST_FOLDERS_LEFT_OUT tools shelf)
