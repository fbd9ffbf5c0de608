# The property catalogue in the tree is what scripts/gen-css-catalogue makes
# of the pinned CSS definitions that scripts/fetch-corpus caches.
set(version 8.7.5)
# The cache is found as the corpus tests find it: QUILLBOX_CORPUS_DIR, else
# quillbox-corpus in the user's cache folder.
set(corpus "$ENV{QUILLBOX_CORPUS_DIR}")
if(corpus STREQUAL "")
  set(corpus "$ENV{XDG_CACHE_HOME}")
  if(corpus STREQUAL "")
    set(corpus "$ENV{HOME}/.cache")
  endif()
  set(corpus "${corpus}/quillbox-corpus")
endif()
set(source "${corpus}/webref-css-${version}.json")
if(NOT EXISTS "${source}")
  message(FATAL_ERROR "${source} is missing: run scripts/fetch-corpus")
endif()
find_program(PYTHON python3 REQUIRED)
file(MAKE_DIRECTORY "${WORK_DIR}")
execute_process(COMMAND ${PYTHON} "${SOURCE_DIR}/scripts/gen-css-catalogue" "${source}" ${version}
                        "${WORK_DIR}/css_catalogue_data.cpp"
                RESULT_VARIABLE generated)
if(NOT generated EQUAL 0)
  message(FATAL_ERROR "scripts/gen-css-catalogue failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${SOURCE_DIR}/src/core/css/css_catalogue_data.cpp"
                        "${WORK_DIR}/css_catalogue_data.cpp"
                RESULT_VARIABLE differs)
if(NOT differs EQUAL 0)
  message(FATAL_ERROR "src/core/css/css_catalogue_data.cpp is not what scripts/gen-css-catalogue makes")
endif()
