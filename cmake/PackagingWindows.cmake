# The release archives of the Windows program: Ondrava-<version>-win64.zip
# and Ondrava-<version>-win32.zip, each holding Ondrava.exe beside the
# README and, once they exist, LICENSE and NOTICE.
#
#   cmake --preset win64-release && cmake --build --preset win64-release
#   cpack --preset win64-release      (the same with win32-release)
#
# The release presets build with -O2, link stripped (-s) and without tests;
# the executable is static as every Windows build is.

include_guard(GLOBAL)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(ONDRAVA_PACKAGE_SYSTEM win64)
else()
  set(ONDRAVA_PACKAGE_SYSTEM win32)
endif()

install(TARGETS Ondrava RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION .)
# Written separately; taken when present at packaging time.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/NOTICE
  DESTINATION . OPTIONAL)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Ondrava)
set(CPACK_PACKAGE_VENDOR "Ondrava developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_SYSTEM_NAME ${ONDRAVA_PACKAGE_SYSTEM})
set(CPACK_PACKAGE_FILE_NAME Ondrava-${PROJECT_VERSION}-${ONDRAVA_PACKAGE_SYSTEM})
# One folder of the archive's name holds the files when it is unpacked.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR})
include(CPack)
