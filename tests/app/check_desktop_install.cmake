# Installs the desktop component under a prefix with a space in it and checks
# that the desktop entry runs the installed program.
# Usage: cmake -DBUILD_DIR=... -DPREFIX=... -P check_desktop_install.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(
  COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}" --component desktop
  RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(share "${PREFIX}/share")
foreach(installed applications/qob-editor.desktop mime/packages/x-qob.xml
                  icons/hicolor/scalable/apps/qob-editor.svg)
  if(NOT EXISTS "${share}/${installed}")
    message(FATAL_ERROR "not installed: ${installed}")
  endif()
endforeach()

file(READ "${share}/applications/qob-editor.desktop" entry)
foreach(line "Exec=\"${PREFIX}/bin/qob-editor\" %f" "MimeType=application/x-qob;")
  string(FIND "${entry}" "\n${line}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "missing line ${line} in:\n${entry}")
  endif()
endforeach()
