# What `cmake --install` puts in place (GNU folders under the prefix) and the Debian
# package `cpack -G DEB` makes of it:
#   bin/frikipartida
#   share/frikipartida/              the game data (the data folder, settings files left out)
#   share/applications/<id>.desktop  share/metainfo/<id>.metainfo.xml
#   share/icons/hicolor/<n>x<n>/apps/<id>.png (drawn by assetgen)
#   share/man/man6/frikipartida.6.gz
# The game finds its data as ../share/frikipartida from its own folder, so an installed
# tree works wherever it is moved.
include(GNUInstallDirs)

set(FK_APP_ID es.frikipartida.Frikipartida)
set(FK_HOMEPAGE "https://frikipartida.example" CACHE STRING
  "Home page named in the AppStream metadata; the screenshots are published under <home>/screenshots/")
set(FK_PACKAGING_DIR ${CMAKE_BINARY_DIR}/packaging)

configure_file(${CMAKE_SOURCE_DIR}/packaging/frikipartida.desktop.in
  ${FK_PACKAGING_DIR}/${FK_APP_ID}.desktop @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/packaging/frikipartida.metainfo.xml.in
  ${FK_PACKAGING_DIR}/${FK_APP_ID}.metainfo.xml @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/packaging/frikipartida.6.in
  ${FK_PACKAGING_DIR}/frikipartida.6 @ONLY)

# Manual pages are installed compressed; -n keeps the bytes the same on every build.
add_custom_command(
  OUTPUT ${FK_PACKAGING_DIR}/frikipartida.6.gz
  COMMAND gzip -9 -n -c ${FK_PACKAGING_DIR}/frikipartida.6 > ${FK_PACKAGING_DIR}/frikipartida.6.gz
  DEPENDS ${FK_PACKAGING_DIR}/frikipartida.6
  COMMENT "Compressing the manual page")

# Icons: a character's face at every usual size, by the asset generator.
set(FK_ICONS_STAMP ${FK_PACKAGING_DIR}/icons.stamp)
add_custom_command(
  OUTPUT ${FK_ICONS_STAMP}
  # Drawn by a short-lived tool: in a sanitizer build what cairo keeps until exit is no fault.
  COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 $<TARGET_FILE:assetgen> --icons
          ${FK_PACKAGING_DIR}/icons ${FK_APP_ID}
  COMMAND ${CMAKE_COMMAND} -E touch ${FK_ICONS_STAMP}
  DEPENDS assetgen
  COMMENT "Drawing the desktop icons")
add_custom_target(fk_packaging ALL DEPENDS ${FK_ICONS_STAMP} ${FK_PACKAGING_DIR}/frikipartida.6.gz)

install(TARGETS frikipartida RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Settings files (*.cfg) a developer's runs left in the data folder and hidden stamps stay out.
install(DIRECTORY ${FK_DATA_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/frikipartida
  PATTERN "*.cfg" EXCLUDE
  REGEX "/\\.[^/]*$" EXCLUDE)
install(FILES ${FK_PACKAGING_DIR}/${FK_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${FK_PACKAGING_DIR}/${FK_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${FK_PACKAGING_DIR}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${FK_PACKAGING_DIR}/frikipartida.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

# The Debian package: its dependencies come from the binary (dpkg-shlibdeps).
set(CPACK_PACKAGE_NAME frikipartida)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "party board game with minigames for four players on one PC")
set(CPACK_PACKAGE_DESCRIPTION
  "Four programmers at a crowded computer event race along a board generated anew for\n\
every match, spin a roulette and fight it out in five minigames: the player on turn\n\
plays with the mouse against the other three on the keyboard. Texts in Spanish.")
set(CPACK_PACKAGE_CONTACT "Frikipartida <frikipartida@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${FK_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# SDL opens the GL libraries itself at run time (GLX on X11, EGL on Wayland), which the
# binary's own links do not show.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1, libegl1")
set(CPACK_GENERATOR DEB)
include(CPack)
