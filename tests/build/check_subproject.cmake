# Configures another project that takes Quillbox in with add_subdirectory
# and asks the build tool whether every file the build needs is there.
# Run by CTest: cmake -DSOURCE_DIR=<tree> -DWORK_DIR=<folder> -P check_subproject.cmake
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}/outer")
file(WRITE "${WORK_DIR}/outer/CMakeLists.txt"
  "cmake_minimum_required(VERSION 3.25)\n"
  "project(Outer LANGUAGES CXX)\n"
  "add_subdirectory(\"${SOURCE_DIR}\" quillbox)\n")
execute_process(COMMAND "${CMAKE_COMMAND}" -S "${WORK_DIR}/outer" -B "${WORK_DIR}/build" -G Ninja
    -DQUILLBOX_BUILD_TESTS=OFF -DQUILLBOX_BUILD_BENCH=OFF
  RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "configuring as a subproject failed:\n${errors}")
endif()
# A dry run: nothing is compiled, but a missing input stops it.
execute_process(COMMAND "${CMAKE_COMMAND}" --build "${WORK_DIR}/build" -- -n
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "building as a subproject would fail:\n${output}${errors}")
endif()
file(REMOVE_RECURSE "${WORK_DIR}")
