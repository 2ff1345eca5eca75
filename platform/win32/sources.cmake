# Included by platform/CMakeLists.txt for Windows: swaps the files that use
# POSIX, SDL, inih or libmpg123 for their Windows counterparts.
get_target_property(reef_platform_sources reef_platform SOURCES)
list(FILTER reef_platform_sources EXCLUDE REGEX
  "^(sdl/sdl_.*|sdl_handles|backend_table|file_lock|file_replacement_posix|kernel|mci|mp3_player|paths|process|profile_inih|regular_file)\\.cpp$")
list(APPEND reef_platform_sources
  web/sdl_subset.cpp
  web/sdl_subset_audio.cpp
  win32/profile_reader.cpp
  win32/file_lock.cpp
  win32/file_replacement.cpp
  win32/kernel.cpp
  win32/mci.cpp
  win32/paths.cpp
  win32/posix_compat.cpp
  win32/process.cpp
  win32/regular_file.cpp
  win32/wave_out_audio.cpp
  win32/console_streams.cpp
  win32/win32_backend.cpp
  win32/win32_video.cpp
  win32/win32_window.cpp
  win32/windows_error.cpp)
set_property(TARGET reef_platform PROPERTY SOURCES ${reef_platform_sources})
target_include_directories(reef_platform PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/web/include)
target_link_libraries(reef_platform PUBLIC reef_base Threads::Threads winmm shell32 gdi32 user32 ole32)
