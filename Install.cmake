# What `cmake --install` puts where, and the Debian package `cpack -G DEB` makes of it.
#
# motion-host finds the module and the window backend beside its own file, so the program and
# every library it loads or links live together in one private folder, lib/motion-host, and find
# each other through RPATH $ORIGIN; bin/motion-host is a link to the program there.

include(GNUInstallDirs)
set(MOTION_HOST_LIBEXEC lib/motion-host)
set(MOTION_HOST_DOCS ${CMAKE_INSTALL_DATADIR}/doc/motion-host)

set(installed_targets motion-host Zoventa tarnoc framework)
if(HAVE_WX_BACKEND)
  list(APPEND installed_targets framework_wx)
endif()
set_target_properties(${installed_targets} PROPERTIES INSTALL_RPATH "$ORIGIN")
install(TARGETS ${installed_targets}
        RUNTIME DESTINATION ${MOTION_HOST_LIBEXEC}
        LIBRARY DESTINATION ${MOTION_HOST_LIBEXEC})

# The link is made in the build folder and installed as a link.
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/install)
file(CREATE_LINK ../${MOTION_HOST_LIBEXEC}/motion-host ${CMAKE_BINARY_DIR}/install/motion-host SYMBOLIC)
install(FILES ${CMAKE_BINARY_DIR}/install/motion-host DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES README.md DESTINATION ${MOTION_HOST_DOCS})
install(DIRECTORY docs examples DESTINATION ${MOTION_HOST_DOCS})

# The bash completion script and the manual page are made from motion-host's own command line.
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/install/motion-host.bash
                   COMMAND motion-host completion > ${CMAKE_BINARY_DIR}/install/motion-host.bash
                   DEPENDS motion-host VERBATIM)
add_custom_target(bash_completion ALL DEPENDS ${CMAKE_BINARY_DIR}/install/motion-host.bash)
install(FILES ${CMAKE_BINARY_DIR}/install/motion-host.bash
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME motion-host)

find_program(HELP2MAN help2man)
if(HELP2MAN)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/install/motion-host.1
                     COMMAND ${CMAKE_COMMAND} -DHELP2MAN=${HELP2MAN} -DMOTION_HOST=$<TARGET_FILE:motion-host>
                             -DOUTPUT=${CMAKE_BINARY_DIR}/install/motion-host.1
                             -P ${PROJECT_SOURCE_DIR}/tools/host/ManPage.cmake
                     DEPENDS motion-host ${PROJECT_SOURCE_DIR}/tools/host/ManPage.cmake VERBATIM)
  add_custom_target(man_page ALL DEPENDS ${CMAKE_BINARY_DIR}/install/motion-host.1)
  install(FILES ${CMAKE_BINARY_DIR}/install/motion-host.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
  message(STATUS "help2man not found: no manual page (scripts/install-deps installs it)")
endif()

set(CPACK_PACKAGE_NAME motion-host)
set(CPACK_PACKAGE_VENDOR "The Vector Mode team")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Vector Mode motion module and motion-host, its command-line host")
set(CPACK_PACKAGE_DESCRIPTION "The Vector Mode module (two-dimensional contours of lines and arcs on two slave \
axes) with motion-host, which translates, plots, reports, imports and edits its motions.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Vector Mode team <vector-mode@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# The libraries the programs link, found by dpkg-shlibdeps, are the package's dependencies.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
