# What `cmake --install build --prefix P` lays out, and the packages cpack builds from it:
#   P/bin/                              the programs
#   P/share/vireo/                      their data: language files, presets, images, demo firmware
#   P/share/applications/, P/share/metainfo/, P/share/icons/hicolor/   the desktop's entries
#   P/lib/udev/rules.d/                 access to the FTDI adapters for the user at the seat
# The programs find the data beside themselves first (the build folder) and then in
# ../share/vireo (see src/app/DataFolder.h).
include(GNUInstallDirs)

set(VIREO_APP_ID io.github.vireo.vireo)
set(VIREO_DATA_DESTINATION ${CMAKE_INSTALL_DATADIR}/vireo)

# The programs, one line each.
install(TARGETS vireo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS kalm07-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS vireo-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_SOURCE_DIR}/docs/vireo-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

install(DIRECTORY ${CMAKE_SOURCE_DIR}/assets/ DESTINATION ${VIREO_DATA_DESTINATION}
        PATTERN "*.py" EXCLUDE
        PATTERN "icons" EXCLUDE
        PATTERN "linux" EXCLUDE)

configure_file(${CMAKE_SOURCE_DIR}/assets/linux/${VIREO_APP_ID}.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/${VIREO_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_SOURCE_DIR}/assets/linux/${VIREO_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_BINARY_DIR}/${VIREO_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 48 64 128 256)
    install(FILES ${CMAKE_SOURCE_DIR}/assets/icons/vireo-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME vireo.png)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/assets/icons/vireo.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# Not under CMAKE_INSTALL_LIBDIR (lib/x86_64-linux-gnu on Debian): udev reads lib/udev/rules.d.
install(FILES ${CMAKE_SOURCE_DIR}/assets/linux/60-vireo.rules DESTINATION lib/udev/rules.d)

# --- Packages: `cpack -G DEB` and `cpack -G TGZ` in the build folder.
set(CPACK_PACKAGE_NAME vireo)
set(CPACK_PACKAGE_VENDOR "The VIREO project")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Configuration tool for the KALM07 flybarless gyro unit")
set(CPACK_PACKAGE_DESCRIPTION
    "VIREO reads, edits and writes the gains and options of the KALM07 flybarless gyro unit of \
radio-controlled helicopters over its USB-serial (FTDI) adapter, shows its live gain status, saves \
and opens parameter files, resets the unit to helicopter presets and updates its firmware. The \
unit simulator kalm07-sim lets one try it without a unit.")
set(CPACK_PACKAGE_CONTACT "The VIREO project <vireo@example.org>")
set(CPACK_GENERATOR "DEB;TGZ")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
# The libraries the programs link, from the binaries (dpkg-shlibdeps, from dpkg-dev) ...
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# ... and what they load without linking it: Qt's X11/Wayland platform plugins, and the
# Japanese font the default language's captions are drawn in.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-ipafont-gothic")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "qt6-wayland")
include(CPack)
