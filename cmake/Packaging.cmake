# Installing Spirex, and packaging it: a Debian package on Linux (make package).
include(GNUInstallDirs)

install(TARGETS spirex RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")

if(UNIX AND NOT APPLE)
    set(linux "${PROJECT_SOURCE_DIR}/resources/linux")
    # The X11 window class the windows carry: Qt names it after the program's file.
    set(SPIREX_WM_CLASS "spirex")
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

    # The manual page and the changelog, compressed as Debian keeps them; the copyright file.
    configure_file("${linux}/spirex.1.in" "${PROJECT_BINARY_DIR}/spirex.1" @ONLY)
    if(SPIREX_COMMIT)
        set(SPIREX_CHANGELOG_COMMIT "\n  * Built from the Spirex sources at commit\n    ${SPIREX_COMMIT}.")
    endif()
    configure_file("${linux}/changelog.in" "${PROJECT_BINARY_DIR}/changelog" @ONLY)
    foreach(file spirex.1 changelog)
        add_custom_command(OUTPUT "${PROJECT_BINARY_DIR}/${file}.gz"
            COMMAND gzip -9nkf "${PROJECT_BINARY_DIR}/${file}"
            DEPENDS "${PROJECT_BINARY_DIR}/${file}" VERBATIM)
    endforeach()
    add_custom_target(spirex_documents ALL
        DEPENDS "${PROJECT_BINARY_DIR}/spirex.1.gz" "${PROJECT_BINARY_DIR}/changelog.gz")
    install(FILES "${PROJECT_BINARY_DIR}/spirex.1.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
    install(FILES "${PROJECT_BINARY_DIR}/changelog.gz" "${linux}/copyright"
            DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/spirex")
endif()

set(CPACK_PACKAGE_NAME "spirex")
set(CPACK_PACKAGE_VENDOR "Orlesti")
set(CPACK_PACKAGE_CONTACT "Orlesti <orlesti@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Spirex computes the number of turns to wind on an Amidon toroidal core\n"
    "for the wanted inductance, from a built-in catalogue of 223 iron-powder\n"
    "and ferrite cores, and shows each core's material and frequency range.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Spirex")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR "DEB")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "electronics")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Where the windows use Qt's private Wayland interface (ui/Desktop.cpp, Qt 6.5 or later), the
# program holds only with the very Qt it was built with.
if(SPIREX_QT_PRIVATE)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-base-private-abi (= ${Qt6_VERSION})")
endif()
# The package's modes are the build's, never the builder's umask: folders 0755, files 0644, the
# program 0755, and the package's own members 0644.
set(CPACK_PRE_BUILD_SCRIPTS "${CMAKE_CURRENT_LIST_DIR}/DebianPackageModes.cmake")
set(CPACK_POST_BUILD_SCRIPTS "${CMAKE_CURRENT_LIST_DIR}/DebianPackageModes.cmake")
include(CPack)
