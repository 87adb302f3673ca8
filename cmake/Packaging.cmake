# Installation beside the programs' own install() lines, and the Debian package.
#   cmake --install BUILD --prefix /usr/local     the program, the tool, the simulator,
#                                                 desktop entry, icons, documentation
#   cpack --config BUILD/CPackConfig.cmake         o2aerolis_<version>_<arch>.deb
# The core-only and the sanitizer builds have no program to package.
if(O2_CORE_ONLY OR O2_SANITIZE OR O2_FUZZ OR NOT TARGET o2aerolis)
    return()
endif()

include(GNUInstallDirs)

set(O2_PKG_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(O2_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/o2aerolis)

# The desktop entry is also what tells an installed program from a portable one (see
# core/ProgramDir.h): an installed program keeps its settings in the user's directory.
install(FILES ${O2_PKG_DIR}/o2aerolis.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/icon.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME o2aerolis.svg)
install(FILES ${O2_PKG_DIR}/o2aerolis-256.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps
        RENAME o2aerolis.png)
install(FILES ${PROJECT_SOURCE_DIR}/resources/icon.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps
        RENAME o2aerolis.png)
install(FILES ${PROJECT_SOURCE_DIR}/resources/icon32.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps
        RENAME o2aerolis.png)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${O2_DOC_DIR})

# The service unit of the tool's watch, and the health check's unit and timer, are examples
# for the administrator, not running services: they need the site's link settings first.
# Their tool path is the installed one; the prefix is only known at install time (cpack
# installs into /usr).
foreach(unit_name o2aerolis-watch.service o2aerolis-health.service o2aerolis-health.timer)
    set(O2_UNIT ${PROJECT_SOURCE_DIR}/tools/${unit_name})
    if(EXISTS ${O2_UNIT})
        install(CODE "
            file(READ \"${O2_UNIT}\" unit)
            string(REPLACE \"/opt/o2aerolis/o2aerolis-cli\"
                   \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/o2aerolis-cli\" unit \"\${unit}\")
            file(WRITE \"${CMAKE_CURRENT_BINARY_DIR}/${unit_name}\" \"\${unit}\")
            file(INSTALL \"${CMAKE_CURRENT_BINARY_DIR}/${unit_name}\"
                 DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${O2_DOC_DIR}/examples\")
        ")
    endif()
endforeach()

# --- Debian package
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME o2aerolis)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "O2-Humivo")
set(CPACK_PACKAGE_CONTACT "O2-Humivo <service@o2-humivo.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "PC program of a network of composting-plant controllers")
# CPack puts the summary first and indents these lines itself.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Talks to up to 32 plant controllers over a serial line or a TCP gateway: teaches in
the plants, shows their temperatures and oxygen live, switches the aeration mode,
starts and ends piles, sets the controllers' clocks and setup values, reads the
stored records into one measurement file per pile, and prints and plots them.

Also contains o2aerolis-cli, the command-line service tool (status, readout,
daily readout as a service), and o2aerolis-sim, a simulator of the controllers
and the gateway for trying the program without a plant.")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# The Qt libraries come from dpkg-shlibdeps where it is installed (dpkg-dev); the
# platform plugins (xcb, offscreen) are loaded at run time and so are listed by hand.
set(O2_DEB_DEPENDS "qt6-qpa-plugins")
find_program(O2_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(O2_DPKG_SHLIBDEPS)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
    string(APPEND O2_DEB_DEPENDS ", libc6, libstdc++6, libqt6core6 (>= 6.4), libqt6network6,"
           " libqt6serialport6, libqt6gui6, libqt6widgets6, libqt6printsupport6, libqt6charts6")
endif()
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${O2_DEB_DEPENDS}")
# Liberation Sans stands in for the reports' Arial; Qt's own dialog texts in English/French.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, fonts-dejavu-core, qt6-translations-l10n")

set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build[^/]*/" "/demo/")

include(CPack)
