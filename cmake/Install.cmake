# Installs the game binary, its generated game folder, a launcher that starts
# the game from that folder, a desktop entry and an icon. Works for any
# prefix, also one chosen at install time (cmake --install --prefix).
include(GNUInstallDirs)

set(BRAKKON_DATA_DIR ${CMAKE_INSTALL_DATADIR}/brakkon)
set(BRAKKON_LIBEXEC_DIR ${CMAKE_INSTALL_LIBEXECDIR}/brakkon)

install(TARGETS brakkon RUNTIME DESTINATION ${BRAKKON_LIBEXEC_DIR})
install(DIRECTORY ${BRAKKON_ASSET_DIR}/ DESTINATION ${BRAKKON_DATA_DIR}
        PATTERN ".assets-stamp" EXCLUDE)

# The launcher finds the game folder relative to itself.
file(RELATIVE_PATH RELATIVE_DATA_DIR /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${BRAKKON_DATA_DIR})
file(RELATIVE_PATH RELATIVE_BINARY /prefix/${CMAKE_INSTALL_BINDIR}
     /prefix/${BRAKKON_LIBEXEC_DIR}/brakkon)
configure_file(${CMAKE_SOURCE_DIR}/packaging/brakkon.in ${CMAKE_BINARY_DIR}/launcher/brakkon @ONLY)
install(PROGRAMS ${CMAKE_BINARY_DIR}/launcher/brakkon DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${BRAKKON_ASSET_DIR}/brakkon.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps)

# The desktop entry names the launcher by its absolute installed path, which
# is known only when installing.
install(CODE "
  set(prefix \"\${CMAKE_INSTALL_PREFIX}\")
  set(entry \"\$ENV{DESTDIR}\${prefix}/${CMAKE_INSTALL_DATADIR}/applications/brakkon.desktop\")
  message(STATUS \"Installing: \${entry}\")
  file(WRITE \"\${entry}\" \"[Desktop Entry]
Type=Application
Name=Brakkon
GenericName=Tank Game
Comment=Drive a tank over desert hills and fight ten enemy vehicles
Exec=\${prefix}/${CMAKE_INSTALL_BINDIR}/brakkon
Icon=brakkon
Terminal=false
Categories=Game;ActionGame;
\")
")
