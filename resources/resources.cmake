# The program's Windows resources (resources/ondrava.rc: icons, world map,
# popup menu, About box, string table, accelerators, version resource,
# manifest).
#
# Include this file at file scope of the CMakeLists.txt that defines the
# executable (it enables the RC language there), then
#
#   ondrava_add_resources(ondrava)
#
# The script is compiled by the toolchain's windres (CMAKE_RC_COMPILER):
#   -I src/        for #include "base/resource_ids.h" and command_ids.h
#   -I <build>/generated  for the version CMake writes (ondrava_version.h)
#   -I resources/  for the icon and map files the script names; the manifest
#                  is made from ondrava.manifest.in with the project's
#                  version, into <build>/generated
#   --codepage=65001  the script is UTF-8 with Japanese texts; it also says so
#                     itself with #pragma code_page(65001), which windres obeys,
#                     so the option only sets the same default for the file.
# <windows.h> comes from the MinGW-w64 headers through windres's preprocessor
# (the target's -gcc driver), which defines RC_INVOKED.

include_guard(DIRECTORY)

set(ONDRAVA_RESOURCES_DIR "${CMAKE_CURRENT_LIST_DIR}")
cmake_path(GET ONDRAVA_RESOURCES_DIR PARENT_PATH _ondrava_root)
set(ONDRAVA_RESOURCES_SRC_DIR "${_ondrava_root}/src")
unset(_ondrava_root)

if(WIN32)
  enable_language(RC)
  configure_file("${ONDRAVA_RESOURCES_DIR}/ondrava.manifest.in"
    "${PROJECT_BINARY_DIR}/generated/ondrava.manifest" @ONLY)
endif()

function(ondrava_add_resources target)
  if(NOT WIN32)
    message(FATAL_ERROR
      "ondrava_add_resources(${target}): Windows resources need a Windows (MinGW-w64) build")
  endif()

  set(rc "${ONDRAVA_RESOURCES_DIR}/ondrava.rc")
  target_sources(${target} PRIVATE "${rc}")
  set_source_files_properties("${rc}" TARGET_DIRECTORY ${target} PROPERTIES
    INCLUDE_DIRECTORIES "${ONDRAVA_RESOURCES_SRC_DIR};${ONDRAVA_RESOURCES_DIR};${PROJECT_BINARY_DIR}/generated"
    COMPILE_OPTIONS "--codepage=65001"
    # windres reports no dependencies of its own: rebuild when the files the
    # script pulls in change.
    OBJECT_DEPENDS "${ONDRAVA_RESOURCES_DIR}/ondrava.ico;${ONDRAVA_RESOURCES_DIR}/world_map.bmp;${PROJECT_BINARY_DIR}/generated/ondrava.manifest;${ONDRAVA_RESOURCES_SRC_DIR}/base/resource_ids.h;${ONDRAVA_RESOURCES_SRC_DIR}/parts/command_ids.h;${PROJECT_BINARY_DIR}/generated/ondrava_version.h")
endfunction()
