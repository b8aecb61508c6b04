# Warnings and sanitizers, set per target so that the project's own code alone is held to them.

option(SPIREX_WARNINGS_AS_ERRORS "Treat compiler warnings as errors" OFF)
option(SPIREX_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

function(spirex_set_warnings target)
    if(MSVC)
        set(warnings /W4 /permissive-)
        if(SPIREX_WARNINGS_AS_ERRORS)
            list(APPEND warnings /WX)
        endif()
    else()
        set(warnings
            -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion -Wold-style-cast
            -Wcast-align -Wunused -Woverloaded-virtual -Wdouble-promotion
            -Wformat=2 -Wimplicit-fallthrough -Wnon-virtual-dtor)
        if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
            list(APPEND warnings -Wmisleading-indentation -Wduplicated-cond -Wduplicated-branches
                 -Wlogical-op -Wuseless-cast)
        endif()
        if(SPIREX_WARNINGS_AS_ERRORS)
            list(APPEND warnings -Werror)
        endif()
    endif()
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
        return()
    endif()
    target_compile_options(${target} PRIVATE ${warnings})
endfunction()

# Sanitizers are applied to every target of the project, so that the libraries, the tests and the
# program are instrumented alike.
if(SPIREX_SANITIZE)
    if(MSVC)
        message(FATAL_ERROR "SPIREX_SANITIZE needs GCC or Clang")
    endif()
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

# libstdc++'s own checks of indexes and preconditions, in every build of the project's code: an
# index past the end of a container stops the program at once instead of reading memory that is
# not the container's.
add_compile_definitions(_GLIBCXX_ASSERTIONS)
