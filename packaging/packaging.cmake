# Installing and packaging velmora.
#
# The program finds its documents in "pdf/" beside its own file, so the
# executable and the PDFs go together into one private folder,
# <prefix>/lib/velmora/; a small launcher in <prefix>/bin/ starts it from
# there. The desktop entry, the icon and the AppStream metadata go where the
# desktop looks for them. `cpack` turns this into a Debian package whose
# library dependencies dpkg-shlibdeps works out from the installed program.

include(GNUInstallDirs)

install(PROGRAMS ${CMAKE_CURRENT_LIST_DIR}/launcher.sh
        DESTINATION ${CMAKE_INSTALL_BINDIR} RENAME velmora)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/org.velmora.velmora.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/org.velmora.velmora.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/icons/velmora.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME org.velmora.velmora.svg)
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/icons/velmora-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME org.velmora.velmora.png)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VENDOR velmora)
set(CPACK_PACKAGE_CONTACT "velmora <velmora@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "German teaching calculator for the Solar return and birth-time correction")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "velmora leads examination candidates in horoscope calculation through two
hand calculations, one numbered step at a time: the Solar return and the
birth-time correction by primary directed axes (rectification). All of its
text is German; its teaching documents come as PDF files.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The splash title falls back to Liberation Serif where Times New Roman is
# missing, and the forms are laid out for Arial's metrics (Liberation Sans).
# Texts without a font of their own (the splash notice, message boxes, menus)
# take the desktop's default sans-serif font: on a system whose only fonts are
# the Liberation ones, fontconfig would pick Liberation Mono for it.
# The exact Sun positions come from ERFA, the IAU's standard astronomy
# routines; dpkg-shlibdeps finds the library once the program calls them, and
# naming it here keeps the dependency whatever the program links.
# Qt's own dialogs, context menus and buttons (the save dialog, the print
# preview, "Rückgängig/Ausschneiden/Kopieren" in every text field) speak German
# only with Qt's translations installed; without them they stay English.
# The legal time of a German birth (summer time, the double summer time of
# 1945 and 1947) comes from the system's time-zone database.
# The record of the work is an SQLite file written through Qt SQL, whose
# SQLite driver is a plug-in of a package of its own.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-liberation2, fonts-dejavu-core, libqt6sql6-sqlite, liberfa1, qt6-translations-l10n, tzdata")
# The documents and web sites open through xdg-open, which starts the
# desktop's PDF viewer and browser.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
if(VELMORA_PROVIDER_URL)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${VELMORA_PROVIDER_URL}")
endif()
include(CPack)
