cmake_minimum_required(VERSION 3.16)
# The core's folders include one way, from the editor down: host, the
# interfaces and settings everything may use; css, the reading of CSS
# values and text, which uses nothing else; sheet, which uses host and
# css; the subsystems above it; the editor, which wires them together and which
# nothing else includes. Run by CTest:
# cmake -DSOURCE_DIR=<tree> -P check_include_layers.cmake
set(allowed_host host)
set(allowed_css css)
set(allowed_sheet host css sheet)
set(allowed_panels host css sheet panels preview)
set(allowed_preview host css sheet preview)
set(allowed_stylelist host css sheet panels stylelist)
set(failures "")
foreach(folder host css sheet panels preview stylelist)
  file(GLOB files "${SOURCE_DIR}/src/core/${folder}/*.h" "${SOURCE_DIR}/src/core/${folder}/*.cpp")
  foreach(file ${files})
    file(STRINGS "${file}" includes REGEX "^#include \"core/")
    foreach(line ${includes})
      string(REGEX REPLACE "^#include \"core/([a-z]+)/.*" "\\1" used "${line}")
      if(NOT used IN_LIST allowed_${folder})
        string(APPEND failures "\n  ${file}: ${line}")
      endif()
    endforeach()
  endforeach()
endforeach()
if(failures)
  message(FATAL_ERROR "includes against the layers:${failures}")
endif()
