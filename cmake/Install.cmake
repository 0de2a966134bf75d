# Install rules: the program, its data and web pages, the desktop entry, the
# icons, the AppStream metainfo, the manual page and the package documents.
# CPack turns the same rules into a Debian package (tools/package.sh).
set(ZONVEL_APP_ID com.quarnwick.Zonvel)
set(ZONVEL_ICON_SIZES 16 32 48 64 128 256)
set(ZONVEL_DIST ${CMAKE_BINARY_DIR}/dist)
# The day of this release, for the manual page and the metainfo.
set(ZONVEL_RELEASE_DATE 2026-12-07)
set(ZONVEL_HOMEPAGE https://quarnwick.com/zonvel)
# Directories the package creates get the usual modes, whatever the umask.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(TARGETS zonvel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The data generator writes these into the build folder.
install(FILES ${CMAKE_BINARY_DIR}/data.pk DESTINATION ${ZONVEL_DATA_INSTALL_DIR})
install(DIRECTORY ${CMAKE_BINARY_DIR}/web DESTINATION ${ZONVEL_DATA_INSTALL_DIR})
foreach(size ${ZONVEL_ICON_SIZES})
  install(FILES ${CMAKE_BINARY_DIR}/icons/zonvel_${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME zonvel.png)
endforeach()
install(FILES ${CMAKE_BINARY_DIR}/icons/zonvel.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Texts that carry the version or the release date.
configure_file(${CMAKE_SOURCE_DIR}/dist/zonvel.desktop.in ${ZONVEL_DIST}/${ZONVEL_APP_ID}.desktop @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/dist/zonvel.metainfo.xml.in ${ZONVEL_DIST}/${ZONVEL_APP_ID}.metainfo.xml @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/dist/zonvel.6.in ${ZONVEL_DIST}/zonvel.6 @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/dist/changelog.in ${ZONVEL_DIST}/changelog @ONLY)

# Manual pages and changelogs are shipped compressed; -n keeps the bytes free of dates.
set(ZONVEL_COMPRESSED)
foreach(name zonvel.6 changelog)
  add_custom_command(OUTPUT ${ZONVEL_DIST}/${name}.gz
                     COMMAND gzip -9 -n -f -k ${ZONVEL_DIST}/${name}
                     DEPENDS ${ZONVEL_DIST}/${name}
                     COMMENT "Compressing ${name}")
  list(APPEND ZONVEL_COMPRESSED ${ZONVEL_DIST}/${name}.gz)
endforeach()
add_custom_target(zonvel_dist ALL DEPENDS ${ZONVEL_COMPRESSED})

install(FILES ${ZONVEL_DIST}/${ZONVEL_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${ZONVEL_DIST}/${ZONVEL_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${ZONVEL_DIST}/zonvel.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_SOURCE_DIR}/dist/copyright ${ZONVEL_DIST}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zonvel)

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zonvel)
set(CPACK_PACKAGE_VENDOR Quarnwick)
set(CPACK_PACKAGE_CONTACT "Quarnwick <zonvel@quarnwick.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "hex colour-flood puzzle game among the flowers")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${ZONVEL_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The synopsis is the summary above; this is the extended description only.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Two zones grow on a hexagon board of flowers in six colours. Pick a colour:
your whole zone takes it and swallows every neighbouring flower of that
colour, and meadow the computer can no longer reach becomes yours. Capture
the coins that insects drop and spend them on eleven bonuses. Two games of
100 levels each, the classic and the advanced game, with their own tables of
the seven best players.")
include(CPack)
