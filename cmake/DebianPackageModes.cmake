# The Debian package's modes, set by the build and never left to the builder's umask, which CPack
# would otherwise copy into the package. CPack runs this twice (CPACK_PRE_BUILD_SCRIPTS and
# CPACK_POST_BUILD_SCRIPTS):
# - before it packs the staged files: every folder 0755 (install() has made the files 0644 and
#   the program 0755);
# - once it has written the package: its three members (debian-binary, control.tar.gz and
#   data.tar.gz) 0644, as dpkg-deb makes them. The package is an ar archive: after its 8-byte
#   signature, each member has a 60-byte header of text fields, its name (16 bytes), time (12),
#   owner (6), group (6), mode (8, octal) and size (10), then its data, padded to an even size.
if(NOT DEFINED CPACK_PACKAGE_FILES)
    file(GLOB_RECURSE folders LIST_DIRECTORIES true "${CPACK_TEMPORARY_DIRECTORY}/*")
    foreach(path IN LISTS folders)
        if(IS_DIRECTORY "${path}" AND NOT IS_SYMLINK "${path}")
            file(CHMOD "${path}" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
                 GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
        endif()
    endforeach()
    return()
endif()

foreach(package IN LISTS CPACK_PACKAGE_FILES)
    if(NOT package MATCHES "[.]deb$")
        continue()
    endif()
    set(mode "${package}.mode")
    file(WRITE "${mode}" "100644  ")
    file(SIZE "${package}" end)
    set(offset 8)
    while(offset LESS end)
        file(READ "${package}" header OFFSET ${offset} LIMIT 60)
        string(SUBSTRING "${header}" 48 10 size)
        string(STRIP "${size}" size)
        math(EXPR mode_offset "${offset} + 40")
        execute_process(COMMAND dd "of=${package}" bs=1 "seek=${mode_offset}" conv=notrunc status=none
                        INPUT_FILE "${mode}" COMMAND_ERROR_IS_FATAL ANY)
        math(EXPR offset "${offset} + 60 + ${size} + ${size} % 2")
    endwhile()
    file(REMOVE "${mode}")
endforeach()
