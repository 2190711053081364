# Installing the Linux program and packing it as a Debian package:
#
#   cmake --install build/native --prefix /usr/local
#   (cd build/native && cpack -G DEB)
#
# bin/ondrava, its desktop entry, its icon (made from resources/ondrava.ico
# by the build) and the licence files when the tree has them. The package's
# dependencies are the shared libraries dpkg-shlibdeps finds in the program.
include(GNUInstallDirs)

install(TARGETS ondrava RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/linux/ondrava.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${ONDRAVA_ICON_PNG}
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps)
foreach(licence LICENSE NOTICE)
  if(EXISTS ${PROJECT_SOURCE_DIR}/${licence})
    install(FILES ${PROJECT_SOURCE_DIR}/${licence}
      DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/ondrava)
  endif()
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ondrava)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Ondrava developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "translucent desktop clock over a turning Earth globe")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "One borderless, square, per-pixel translucent window showing an analog\n\
clock (embossed dial characters, translucent hands, a hover calendar) over\n\
a texture-mapped Earth globe that turns with the time of day.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Ondrava developers <ondrava@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The dial's kanji and circled numerals need a face that has them.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_OUTPUT_FILE_PREFIX ${PROJECT_BINARY_DIR}/packages)
include(CPack)
