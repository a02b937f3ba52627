# `cpack -G DEB` in the build folder: one Debian package of everything `cmake --install` puts in
# place, under /usr, depending on the Qt and SQLite packages it needs. Its maintainer scripts create
# the server's own user and state folder, and treat the unit as debhelper's scripts do.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME skladar)
set(CPACK_PACKAGE_VENDOR "Tervo Grupa")
set(CPACK_PACKAGE_CONTACT "Tervo Grupa <skladar@tervo-grupa.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Tank farm client and acquisition server of an edible-oil plant")
# Extended description lines stay under 80 columns, as lintian asks.
set(CPACK_PACKAGE_DESCRIPTION
    "Skladar shows the live plant map of the tank farm, its trend charts and the\nquantity report, and edits the plant's configuration. skladar-server keeps\nthe configuration and answers the clients; skladar-history, skladar-report\nand skladar-snapshot give the same data without a window.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES TRUE)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# The shared libraries come from dpkg-shlibdeps; the SQLite driver and the platform plugins are
# loaded at run time, so they are named here, and adduser makes the server's user.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, qt6-qpa-plugins, fonts-liberation, adduser")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    "${CMAKE_CURRENT_LIST_DIR}/debian/postinst;${CMAKE_CURRENT_LIST_DIR}/debian/prerm;${CMAKE_CURRENT_LIST_DIR}/debian/postrm")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
include(CPack)
