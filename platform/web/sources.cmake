# Included by platform/CMakeLists.txt for the browser build: swaps the sdl
# drivers, the desktop's backend table, its starting of processes and its
# threads for the page's own (canvas, HTML5 input, Web Audio, tasks run on the
# page's one thread), and its MP3 player for one the browser plays, over the
# stand-ins for SDL and inih in web/include.
get_target_property(reef_platform_sources reef_platform SOURCES)
list(FILTER reef_platform_sources EXCLUDE REGEX
  "^(sdl/.*|sdl_handles|backend_table|mp3_player|process)\\.cpp$")
list(APPEND reef_platform_sources
  web/ini_reader.cpp
  web/sdl_subset.cpp
  web/sdl_subset_audio.cpp
  web/web_audio.cpp
  web/web_backend.cpp
  web/web_clock.cpp
  web/web_mp3_player.cpp
  web/web_process.cpp
  web/web_tasks.cpp
  web/web_video.cpp)
set_property(TARGET reef_platform PROPERTY SOURCES ${reef_platform_sources})
target_include_directories(reef_platform BEFORE PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/web/include)
# Emscripten 3.1.6's C++ library lacks std::atomic_ref, which the layers above
# use too: every file that links the platform gets the stand-in first.
target_compile_options(reef_platform PUBLIC
  "SHELL:-include ${CMAKE_CURRENT_SOURCE_DIR}/web/include/atomic_ref_compat.h")
target_link_libraries(reef_platform PUBLIC reef_base)
# The module is built for size, but the canvas driver's per-pixel loops run
# for every frame drawn (the whole picture on a scene's first): those are
# built for speed.
set_source_files_properties(web/web_video.cpp PROPERTIES COMPILE_OPTIONS -O2)
