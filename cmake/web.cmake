# What the browser build (emcmake cmake, scripts/build-web.sh) does differently
# from the Linux one: the web drivers of platform/web in place of the sdl ones
# (platform/web/sources.cmake), no threads (the page needs no cross-origin
# isolation), and no asset tools, tests or packages: the game folder and the
# launcher's pictures come from a desktop build (REEF_GAME_DIR), and the page
# (web/) is the one program.
set(REEF_GAME_DIR "" CACHE PATH "The generated game folder to preload (the desktop build installs it)")
if(NOT EXISTS "${REEF_GAME_DIR}/islands.dat")
  message(FATAL_ERROR "REEF_GAME_DIR must name a generated game folder (build the desktop game first)")
endif()
set(reef_page_game_dir ${REEF_GAME_DIR})
# The launcher's pictures lie beside the game's folder, as installed.
get_filename_component(reef_page_shelf_art_dir ${REEF_GAME_DIR}/../reefhoard-shelf ABSOLUTE)
if(NOT EXISTS "${reef_page_shelf_art_dir}/backdrop.bmp")
  message(FATAL_ERROR "the launcher's pictures are missing beside the game folder: ${reef_page_shelf_art_dir}")
endif()
set(BUILD_TESTING OFF CACHE BOOL "" FORCE)
set(REEF_BENCHMARKS OFF CACHE BOOL "" FORCE)
