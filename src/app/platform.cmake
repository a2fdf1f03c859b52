# Platform glue without Qt: command-line splitting and the file association.
# Included from src/app, or on its own when the GUI is left out.
set(QOB_DESKTOP_DIR ${PROJECT_SOURCE_DIR}/data/desktop)
set(QOB_DESKTOP_FILES
  ${QOB_DESKTOP_DIR}/x-qob.xml
  ${QOB_DESKTOP_DIR}/qob-editor.desktop.in
  ${QOB_DESKTOP_DIR}/qob-editor.svg
)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${QOB_DESKTOP_FILES})
file(READ ${QOB_DESKTOP_DIR}/x-qob.xml QOB_MIME_PACKAGE)
file(READ ${QOB_DESKTOP_DIR}/qob-editor.desktop.in QOB_DESKTOP_ENTRY)
file(READ ${QOB_DESKTOP_DIR}/qob-editor.svg QOB_ICON)
configure_file(${CMAKE_CURRENT_LIST_DIR}/association_files.cpp.in
               ${CMAKE_CURRENT_BINARY_DIR}/association_files.cpp @ONLY)

if(WIN32)
  set(QOB_ASSOCIATION_PLATFORM association_windows.cpp)
else()
  set(QOB_ASSOCIATION_PLATFORM association_linux.cpp)
endif()
list(TRANSFORM QOB_ASSOCIATION_PLATFORM PREPEND ${CMAKE_CURRENT_LIST_DIR}/)

add_library(qobplatform STATIC
  ${CMAKE_CURRENT_LIST_DIR}/command_line.cpp
  ${CMAKE_CURRENT_LIST_DIR}/association.cpp
  ${QOB_ASSOCIATION_PLATFORM}
  ${CMAKE_CURRENT_BINARY_DIR}/association_files.cpp
)
target_include_directories(qobplatform PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(qobplatform PUBLIC qobbook)
