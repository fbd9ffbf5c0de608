# Installs the build into a fresh prefix, checks the files that land there,
# validates the desktop entry and starts the installed program once.
# Run by CTest: cmake -DBUILD_DIR=<build> -P check_install.cmake
set(prefix "${BUILD_DIR}/install-check")
file(REMOVE_RECURSE "${prefix}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${prefix}"
  RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${result})")
endif()

foreach(file
    bin/quillbox
    share/applications/quillbox.desktop
    share/icons/hicolor/scalable/apps/quillbox.svg
    share/quillbox/translations/qtbase_ru.qm)
  if(NOT EXISTS "${prefix}/${file}")
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()

file(READ "${prefix}/share/applications/quillbox.desktop" entry)
foreach(line "Exec=quillbox %f" "Icon=quillbox" "MimeType=text/css;")
  string(FIND "${entry}" "${line}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the desktop entry lacks ${line}")
  endif()
endforeach()
find_program(VALIDATE desktop-file-validate)
if(VALIDATE)
  execute_process(COMMAND "${VALIDATE}" "${prefix}/share/applications/quillbox.desktop"
    RESULT_VARIABLE result OUTPUT_VARIABLE report ERROR_VARIABLE report)
  if(NOT result EQUAL 0 OR NOT report STREQUAL "")
    message(FATAL_ERROR "desktop-file-validate: ${report}")
  endif()
endif()

# The installed program starts, shows its window and leaves.
execute_process(
  COMMAND "${CMAKE_COMMAND}" -E env QT_QPA_PLATFORM=offscreen QUILLBOX_EXIT_WHEN_SHOWN=1
          "XDG_CONFIG_HOME=${prefix}/config" "${prefix}/bin/quillbox"
  RESULT_VARIABLE result TIMEOUT 120 OUTPUT_QUIET ERROR_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the installed program did not start and leave cleanly (${result})")
endif()
file(REMOVE_RECURSE "${prefix}")
