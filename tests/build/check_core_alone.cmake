# Configures the tree without the window, tests and benchmarks on, and asks
# the build tool whether every file the build needs is there.
# Run by CTest: cmake -DSOURCE_DIR=<tree> -DWORK_DIR=<folder> -P check_core_alone.cmake
file(REMOVE_RECURSE "${WORK_DIR}")
execute_process(COMMAND "${CMAKE_COMMAND}" -S "${SOURCE_DIR}" -B "${WORK_DIR}" -G Ninja
    -DQUILLBOX_BUILD_GUI=OFF -DQUILLBOX_BUILD_TESTS=ON -DQUILLBOX_BUILD_BENCH=ON
  RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "configuring the core alone failed:\n${errors}")
endif()
# A dry run: nothing is compiled, but a missing input stops it.
execute_process(COMMAND "${CMAKE_COMMAND}" --build "${WORK_DIR}" --target quillbox_core_tests quillbox_bench -- -n
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
file(REMOVE_RECURSE "${WORK_DIR}")
if(NOT result EQUAL 0)
  message(FATAL_ERROR "building the core tests alone would fail:\n${output}${errors}")
endif()
