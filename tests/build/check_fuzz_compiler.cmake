# A fuzzing build with a compiler other than clang stops at once and says
# why. Run by CTest: cmake -DSOURCE_DIR=<tree> -DWORK_DIR=<folder> -P check_fuzz_compiler.cmake
file(REMOVE_RECURSE "${WORK_DIR}")
execute_process(COMMAND "${CMAKE_COMMAND}" -S "${SOURCE_DIR}" -B "${WORK_DIR}" -G Ninja
    -DCMAKE_CXX_COMPILER=g++ -DQUILLBOX_FUZZ=ON
  RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE errors)
file(REMOVE_RECURSE "${WORK_DIR}")
if(result EQUAL 0)
  message(FATAL_ERROR "a fuzzing build with g++ was configured")
endif()
string(FIND "${errors}" "QUILLBOX_FUZZ needs clang" at)
if(at EQUAL -1)
  message(FATAL_ERROR "no clear message:\n${errors}")
endif()
