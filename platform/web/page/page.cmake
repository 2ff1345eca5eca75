# The page around the web module: index.html, its manifest (under both of its
# usual names) and icons copied
# beside the module's files in OUT_DIR, and the service worker stamped with
# them all (stamp_service_worker.cmake), after every link of MODULE_TARGET.
# ICON_DIR holds the icons the desktop build's icon tool drew (reef_page_icons);
# any further arguments name files copied beside the page and kept by the
# service worker as well (the music, which the page fetches on its own).
function(reef_add_page MODULE_TARGET OUT_DIR ICON_DIR)
  set(page ${CMAKE_CURRENT_FUNCTION_LIST_DIR})
  set(page_sources index.html manifest.webmanifest)
  set(icons icon-32.png icon-192.png icon-512.png)
  list(TRANSFORM page_sources PREPEND ${page}/ OUTPUT_VARIABLE sources)
  list(TRANSFORM icons PREPEND ${ICON_DIR}/ OUTPUT_VARIABLE icon_sources)
  list(APPEND sources ${icon_sources} ${ARGN})
  set(extras "")
  foreach(extra ${ARGN})
    get_filename_component(name ${extra} NAME)
    list(APPEND extras ${name})
  endforeach()
  # The page's files as one argument: a list's semicolons would split it.
  string(REPLACE ";" "," page_files "${page_sources};${icons};${extras}")
  add_custom_command(OUTPUT ${OUT_DIR}/sw.js
    COMMAND ${CMAKE_COMMAND} -E copy ${sources} ${OUT_DIR}
    # Some hosts and site tools look for the manifest as manifest.json only.
    COMMAND ${CMAKE_COMMAND} -E copy ${page}/manifest.webmanifest ${OUT_DIR}/manifest.json
    COMMAND ${CMAKE_COMMAND} -DFOLDER=${OUT_DIR} -DTEMPLATE=${page}/sw.js
      -DPAGE_FILES=${page_files} -P ${page}/stamp_service_worker.cmake
    DEPENDS ${MODULE_TARGET} ${sources} ${page}/sw.js ${page}/stamp_service_worker.cmake
    COMMENT "Copying the page and stamping its service worker"
    VERBATIM)
  add_custom_target(reef_page ALL DEPENDS ${OUT_DIR}/sw.js)
endfunction()
