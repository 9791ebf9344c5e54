# `make package`: a .deb of the install rules, for Debian 12.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zettelwerk)
set(CPACK_PACKAGE_VENDOR "Zettelwerk-Projekt")
set(CPACK_PACKAGE_CONTACT "Zettelwerk-Team <team@zettelwerk.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "notes and appointments with alarms in the system tray")
set(CPACK_PACKAGE_DESCRIPTION
    "Zettelwerk keeps plain notes and appointments with alarms in one small panel that\n"
    "opens from the system tray. Alarms post a desktop notification and, as chosen, show\n"
    "a popup, play a sound, open an application or run a shell command. Calendar import,\n"
    "JSON backups, iCalendar export and a command line for scripts are included.\n"
    "The interface is German.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://zettelwerk.example")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# dpkg-shlibdeps sees the linked libraries only. The QML modules the screens import, the icon
# font, the text font and the SVG plugins (tray and window icon) are loaded at run time.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qml6-module-qtquick, qml6-module-qtquick-controls, qml6-module-qtquick-layouts, "
    "qml6-module-qtquick-templates, qml6-module-qtquick-window, qml6-module-qtqml-workerscript, "
    "libqt6svg6, fonts-material-design-icons-iconfont, fonts-dejavu-core")
string(JOIN "" CPACK_DEBIAN_PACKAGE_DEPENDS ${CPACK_DEBIAN_PACKAGE_DEPENDS})
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
# Files and web links are opened through xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")

include(CPack)
