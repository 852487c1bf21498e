# The Debian package: scripts/package runs cpack on a RelWithDebInfo build.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qtr318-cps)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "澜星电子有限公司")
set(CPACK_PACKAGE_CONTACT ${QTR318_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "channel-programming software for the QTR-318 handheld radio")
set(CPACK_PACKAGE_DESCRIPTION "Reads the memory of a QTR-318 handheld two-way radio (VHF 136-174 MHz or
UHF 400-480 MHz) over a USB serial programming cable, edits its 16-channel
table and radio-wide options, writes it back and keeps it in .sin files.

The package holds the programming window qtr318-cps (in Simplified
Chinese), the command-line tool qtr318 for scripts and fleet programming
with CSV import and export, and qtr318-radio-sim, a simulated radio on a
pseudo-terminal for trying the programs without hardware. A udev rule lets
the user at the seat open the usual USB serial cables and keeps
ModemManager away from them.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${QTR318_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
if(QTR318_PROJECT_URL)
    set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${QTR318_PROJECT_URL})
endif()
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so dpkg-shlibdeps cannot see them: the window's display plugins, the SQLite
# driver of the programming log, and the Chinese texts of Qt's own dialogs with a font that has
# the glyphs. The PostgreSQL driver only serves a log shared on a server.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6sql6-sqlite")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "libqt6sql6-psql")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-noto-cjk | fonts-wqy-microhei")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${PROJECT_SOURCE_DIR}/data/debian/postinst ${PROJECT_SOURCE_DIR}/data/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

include(CPack)
