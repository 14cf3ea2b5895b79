# Installs the game in one of two layouts, both from the same build:
#
# - `cmake --install build --prefix DIR` (any prefix): the launcher in bin,
#   the game under libexec/brakkon, its game folder under share/brakkon, plus
#   a desktop entry, icons, AppStream data and a manual page.
# - The Debian package (`make deb`, cpack): Debian's places for games, in the
#   install component "deb", which a plain install leaves out:
#     /usr/games/brakkon                   the launcher
#     /usr/libexec/brakkon/brakkon         the game binary: a program only the
#                                          launcher runs (Debian policy 9.1.1
#                                          and the FHS 3.0 put those in libexec)
#     /usr/share/games/brakkon/            the game folder
#   and the desktop entry, hicolor icons, AppStream data, the gzipped manual
#   page brakkon.6 and the copyright and changelog files under /usr/share/doc.
include(GNUInstallDirs)
include(${CMAKE_CURRENT_LIST_DIR}/DesktopExec.cmake)

# Who answers for the package, and where players read about the game. The
# AppStream id is the home page's domain name reversed.
set(BRAKKON_MAINTAINER "Brakkon maintainers <maintainers@users.noreply.c-seed-395bda6c.example>")
set(BRAKKON_HOMEPAGE "https://brakkon.example")
set(BRAKKON_APPSTREAM_ID "example.brakkon.brakkon")
set(BRAKKON_SUMMARY "3D tank battle in the desert")

set(PACKAGING_SOURCE ${CMAKE_SOURCE_DIR}/packaging)
set(PACKAGING_OUT ${CMAKE_BINARY_DIR}/packaging)
set(METAINFO_NAME ${BRAKKON_APPSTREAM_ID}.metainfo.xml)
configure_file(${PACKAGING_SOURCE}/brakkon.metainfo.xml.in ${PACKAGING_OUT}/${METAINFO_NAME} @ONLY)

# The launcher finds the game and its folder relative to itself, so an
# unpacked package (dpkg -x) runs where it lies too.
function(configure_launcher bin_dir binary data_dir out)
  file(RELATIVE_PATH RELATIVE_DATA_DIR /prefix/${bin_dir} /prefix/${data_dir})
  file(RELATIVE_PATH RELATIVE_BINARY /prefix/${bin_dir} /prefix/${binary})
  configure_file(${PACKAGING_SOURCE}/brakkon.in ${out} @ONLY)
endfunction()

# ---- Any prefix -------------------------------------------------------------
set(BRAKKON_DATA_DIR ${CMAKE_INSTALL_DATADIR}/brakkon)
set(BRAKKON_LIBEXEC_DIR ${CMAKE_INSTALL_LIBEXECDIR}/brakkon)

# Relocations resolved at start and made read-only, as Debian's own builds do.
target_link_options(brakkon PRIVATE -Wl,-z,relro,-z,now)

install(TARGETS brakkon RUNTIME DESTINATION ${BRAKKON_LIBEXEC_DIR})
install(DIRECTORY ${BRAKKON_ASSET_DIR}/ DESTINATION ${BRAKKON_DATA_DIR}
        PATTERN ".assets-stamp" EXCLUDE PATTERN "icons" EXCLUDE)
configure_launcher(${CMAKE_INSTALL_BINDIR} ${BRAKKON_LIBEXEC_DIR}/brakkon ${BRAKKON_DATA_DIR}
                   ${PACKAGING_OUT}/local/brakkon)
install(PROGRAMS ${PACKAGING_OUT}/local/brakkon DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${BRAKKON_ASSET_DIR}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${PACKAGING_OUT}/${METAINFO_NAME} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The desktop entry and the manual page name the installed paths, which are
# known only when installing (the prefix may be given then).
install(CODE "
  set(prefix \"\${CMAKE_INSTALL_PREFIX}\")
  set(root \"\$ENV{DESTDIR}\${prefix}\")
  set(BRAKKON_LAUNCHER \"\${prefix}/${CMAKE_INSTALL_BINDIR}/brakkon\")
  include(\"${CMAKE_CURRENT_LIST_DIR}/DesktopExec.cmake\")
  desktop_exec_argument(BRAKKON_EXEC \"\${BRAKKON_LAUNCHER}\")
  set(MAN_LAUNCHER \"\${BRAKKON_LAUNCHER}\")
  set(MAN_BINARY \"\${prefix}/${BRAKKON_LIBEXEC_DIR}/brakkon\")
  set(MAN_DATA_DIR \"\${prefix}/${BRAKKON_DATA_DIR}\")
  set(PROJECT_VERSION \"${PROJECT_VERSION}\")
  set(BRAKKON_RELEASE_DATE \"${BRAKKON_RELEASE_DATE}\")
  foreach(pair \"brakkon.desktop.in;${CMAKE_INSTALL_DATADIR}/applications/brakkon.desktop\"
               \"brakkon.6.in;${CMAKE_INSTALL_MANDIR}/man6/brakkon.6\")
    list(GET pair 0 template)
    list(GET pair 1 target)
    message(STATUS \"Installing: \${root}/\${target}\")
    configure_file(\"${PACKAGING_SOURCE}/\${template}\" \"\${root}/\${target}\" @ONLY)
  endforeach()
")

# ---- The Debian package -----------------------------------------------------
set(DEB_BIN_DIR games)
set(DEB_LIBEXEC_DIR libexec/brakkon)
set(DEB_DATA_DIR share/games/brakkon)
set(DEB_DOC_DIR share/doc/brakkon)
set(DEB_OUT ${PACKAGING_OUT}/deb)

configure_launcher(${DEB_BIN_DIR} ${DEB_LIBEXEC_DIR}/brakkon ${DEB_DATA_DIR} ${DEB_OUT}/brakkon)
set(BRAKKON_LAUNCHER /usr/${DEB_BIN_DIR}/brakkon)
desktop_exec_argument(BRAKKON_EXEC ${BRAKKON_LAUNCHER})
set(MAN_LAUNCHER ${BRAKKON_LAUNCHER})
set(MAN_BINARY /usr/${DEB_LIBEXEC_DIR}/brakkon)
set(MAN_DATA_DIR /usr/${DEB_DATA_DIR})
execute_process(COMMAND env LC_ALL=C date -u -R -d ${BRAKKON_RELEASE_DATE}
                OUTPUT_VARIABLE BRAKKON_CHANGELOG_DATE OUTPUT_STRIP_TRAILING_WHITESPACE)
configure_file(${PACKAGING_SOURCE}/brakkon.desktop.in ${DEB_OUT}/brakkon.desktop @ONLY)
configure_file(${PACKAGING_SOURCE}/brakkon.6.in ${DEB_OUT}/brakkon.6 @ONLY)
configure_file(${PACKAGING_SOURCE}/changelog.in ${DEB_OUT}/changelog @ONLY)
configure_file(${PACKAGING_SOURCE}/copyright.in ${DEB_OUT}/copyright @ONLY)

# Debian ships manual pages and changelogs compressed, without time stamps.
foreach(name brakkon.6 changelog)
  add_custom_command(OUTPUT ${DEB_OUT}/${name}.gz
    COMMAND gzip -9n -c ${DEB_OUT}/${name} > ${DEB_OUT}/${name}.gz
    DEPENDS ${DEB_OUT}/${name})
  list(APPEND DEB_COMPRESSED ${DEB_OUT}/${name}.gz)
endforeach()
add_custom_target(deb_files ALL DEPENDS ${DEB_COMPRESSED})

set(DEB_INSTALL COMPONENT deb EXCLUDE_FROM_ALL)
install(TARGETS brakkon RUNTIME DESTINATION ${DEB_LIBEXEC_DIR} ${DEB_INSTALL})
install(PROGRAMS ${DEB_OUT}/brakkon DESTINATION ${DEB_BIN_DIR} ${DEB_INSTALL})
install(DIRECTORY ${BRAKKON_ASSET_DIR}/ DESTINATION ${DEB_DATA_DIR} ${DEB_INSTALL}
        PATTERN ".assets-stamp" EXCLUDE PATTERN "icons" EXCLUDE)
install(DIRECTORY ${BRAKKON_ASSET_DIR}/icons/ DESTINATION share/icons ${DEB_INSTALL})
install(FILES ${DEB_OUT}/brakkon.desktop DESTINATION share/applications ${DEB_INSTALL})
install(FILES ${PACKAGING_OUT}/${METAINFO_NAME} DESTINATION share/metainfo ${DEB_INSTALL})
install(FILES ${DEB_OUT}/brakkon.6.gz DESTINATION share/man/man6 ${DEB_INSTALL})
install(FILES ${DEB_OUT}/copyright ${DEB_OUT}/changelog.gz DESTINATION ${DEB_DOC_DIR} ${DEB_INSTALL})

set(CPACK_GENERATOR DEB)
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};Brakkon;deb;/")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_PACKAGE_NAME brakkon)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Brakkon developers")
set(CPACK_PACKAGE_CONTACT ${BRAKKON_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY ${BRAKKON_SUMMARY})
set(CPACK_PACKAGE_DESCRIPTION [[
Brakkon is a single-player 3D tank game. Drive a tank over generated
desert hills, aim its turret and gun with the mouse, fire shells and
guided missiles, and fight ten enemy vehicles of three kinds that chase
you, lay their guns and fire back. A destroyed enemy explodes and another
takes its place.
.
The game plays full screen, or in a window with brakkon --window.]])
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${BRAKKON_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${BRAKKON_HOMEPAGE})
# Dependencies follow from the libraries the game binary links.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
