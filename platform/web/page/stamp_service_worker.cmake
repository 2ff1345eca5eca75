# Writes the page's service worker (sw.js) into the page's folder from its
# template: the files it keeps for visits without the network, the module's
# (index.*) and the page's own named in PAGE_FILES, and a hash of their
# contents naming the cache, so each build keeps its files apart.
#   cmake -DFOLDER=<page folder> -DTEMPLATE=<sw.js> -DPAGE_FILES=a,b -P stamp_service_worker.cmake
string(REPLACE "," ";" PAGE_FILES "${PAGE_FILES}")
file(GLOB module_files RELATIVE ${FOLDER} ${FOLDER}/index.*)
set(files ${module_files} ${PAGE_FILES})
list(REMOVE_DUPLICATES files)
list(SORT files)
set(digests "")
set(quoted "")
foreach(file ${files})
  if(NOT EXISTS ${FOLDER}/${file})
    message(FATAL_ERROR "the page's file ${file} is missing from ${FOLDER}")
  endif()
  file(SHA256 ${FOLDER}/${file} digest)
  string(APPEND digests "${file} ${digest}\n")
  list(APPEND quoted "'${file}'")
endforeach()
string(SHA256 build "${digests}")
string(SUBSTRING ${build} 0 16 PAGE_BUILD)
list(JOIN quoted ", " PAGE_FILES)
configure_file(${TEMPLATE} ${FOLDER}/sw.js @ONLY)
