# Installing Spirex, and packaging it: a Debian package on Linux (make package).
include(GNUInstallDirs)

set(SPIREX_APP_ID "org.example.Spirex")

install(TARGETS spirex RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")

if(UNIX AND NOT APPLE)
    set(linux "${PROJECT_SOURCE_DIR}/resources/linux")
    configure_file("${linux}/${SPIREX_APP_ID}.desktop.in"
                   "${PROJECT_BINARY_DIR}/${SPIREX_APP_ID}.desktop" @ONLY)
    configure_file("${linux}/${SPIREX_APP_ID}.metainfo.xml.in"
                   "${PROJECT_BINARY_DIR}/${SPIREX_APP_ID}.metainfo.xml" @ONLY)
    install(FILES "${PROJECT_BINARY_DIR}/${SPIREX_APP_ID}.desktop"
            DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
    install(FILES "${PROJECT_BINARY_DIR}/${SPIREX_APP_ID}.metainfo.xml"
            DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
    install(FILES "${PROJECT_SOURCE_DIR}/resources/icon.png"
            DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps"
            RENAME "${SPIREX_APP_ID}.png")
endif()

set(CPACK_PACKAGE_NAME "spirex")
set(CPACK_PACKAGE_VENDOR "Orlesti")
set(CPACK_PACKAGE_CONTACT "Orlesti <orlesti@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
    "Spirex computes the number of turns to wind on an Amidon toroidal core for the wanted\n"
    "inductance, from a built-in catalogue of 223 iron-powder and ferrite cores.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Spirex")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR "DEB")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "electronics")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The windows' look-alike typeface where MS Sans Serif and Arial are missing.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation")
include(CPack)
