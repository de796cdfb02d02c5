# Installation and the Debian package.
#
# `cmake --install` puts the program, the command-line tools, the report templates with the audit
# XML's schema, the manual, the menu entry and its icon in the usual places; `cpack -G DEB` makes
# the Debian package of the same files. The menu entry starts the program with --user-folder: it
# works in $XDG_DATA_HOME/zeror and copies the shipped templates, schema and manual there.
include(GNUInstallDirs)

install(TARGETS zeror zeror-export zeror-initdb RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

file(GLOB ZEROR_SHIPPED_TEMPLATES CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/templates/*.frf ${PROJECT_SOURCE_DIR}/templates/*.ini ${PROJECT_SOURCE_DIR}/templates/*.xsd)
list(FILTER ZEROR_SHIPPED_TEMPLATES EXCLUDE REGEX "/example\\.frf$")
install(FILES ${ZEROR_SHIPPED_TEMPLATES} DESTINATION ${CMAKE_INSTALL_DATADIR}/zeror/templates)

# The manual: installed when the build has made it. A target that builds the manual writes it to
# this path (or sets ZEROR_MANUAL_PDF to where it writes it) and, being part of the default build,
# is made before installing and packaging.
if(NOT ZEROR_MANUAL_PDF)
    set(ZEROR_MANUAL_PDF "${CMAKE_BINARY_DIR}/sugo.pdf")
endif()
install(FILES ${ZEROR_MANUAL_PDF} DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME sugo.pdf OPTIONAL)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})

install(FILES ${PROJECT_SOURCE_DIR}/packaging/zeror.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/zeror.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# ---- the Debian package ----------------------------------------------------------------------
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "zeror")
set(CPACK_PACKAGE_VENDOR "Zeror")
set(CPACK_PACKAGE_CONTACT "Zeror <zeror@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Purchase-ticket register of farm produce bought from primary producers")
set(CPACK_PACKAGE_DESCRIPTION
    "Keeps the purchase tickets a Hungarian business issues when it buys farm produce from primary\n"
    "producers, prints them and the period lists, and writes the 1608M declaration's import files,\n"
    "the tax-audit invoice XML, Excel workbooks and a text export (also from the command line:\n"
    "zeror-export).")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "misc")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://localhost/zeror")
# The database engine and its international character sets are loaded at run time, and so is
# Qt's platform plugin: no scan of the program's libraries finds them.
set(ZEROR_RUNTIME_DEPENDS "firebird3.0-server-core, libfbclient2, qt6-qpa-plugins, fonts-dejavu-core")
find_program(ZEROR_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(ZEROR_DPKG_SHLIBDEPS)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "${ZEROR_RUNTIME_DEPENDS}")
else()
    # Without dpkg-shlibdeps the libraries the program links are named by hand (Debian 12).
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "${ZEROR_RUNTIME_DEPENDS}, libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), \
libqt6widgets6 (>= 6.4), libqt6printsupport6 (>= 6.4), libqt6xml6 (>= 6.4), libxml2, libstdc++6, libc6")
endif()
include(CPack)
