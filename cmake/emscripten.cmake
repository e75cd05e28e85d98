# Compiling with Emscripten wherever it is installed: its own toolchain file,
# found from the EMSCRIPTEN environment variable (Emscripten's folder) or else
# from em++ on the PATH (Debian's emscripten, emsdk, Homebrew: each puts em++,
# or a link to it, in that folder).
if(DEFINED ENV{EMSCRIPTEN})
    file(REAL_PATH "$ENV{EMSCRIPTEN}" emscripten_root)
else()
    find_program(PARABEAM_EMXX em++)
    if(NOT PARABEAM_EMXX)
        message(FATAL_ERROR "The browser edition needs em++: install emscripten (Debian, Ubuntu, "
                            "Homebrew) or emsdk, or set EMSCRIPTEN to Emscripten's folder.")
    endif()
    file(REAL_PATH "${PARABEAM_EMXX}" emxx)
    cmake_path(GET emxx PARENT_PATH emscripten_root)
endif()
set(emscripten_toolchain "${emscripten_root}/cmake/Modules/Platform/Emscripten.cmake")
if(NOT EXISTS "${emscripten_toolchain}")
    message(FATAL_ERROR "No Emscripten toolchain file at ${emscripten_toolchain}")
endif()
include("${emscripten_toolchain}")

# Emscripten's JavaScript optimizer, run when linking, loads the acorn module.
# Debian's Emscripten has it from Debian's node modules in the folder beside
# its own, which only Debian's node searches by itself: any other node (one
# from NodeSource, say) is told where they are.
cmake_path(GET emscripten_root PARENT_PATH emscripten_parent)
if(EXISTS "${emscripten_parent}/nodejs/acorn")
    set(CMAKE_CXX_LINKER_LAUNCHER
        "${CMAKE_COMMAND};-E;env;--modify;NODE_PATH=path_list_prepend:${emscripten_parent}/nodejs")
endif()
