# The header-only libraries behind the exact number conversions: fast_float
# (reading) and {fmt} (the rare exact expansion when writing). The target
# parabeam_number_libraries carries them.
add_library(parabeam_number_libraries INTERFACE)
set(parabeam_missing_headers
    "parabeam needs the header libraries fast_float and {fmt}: install libfast-float-dev and "
    "libfmt-dev (Debian, Ubuntu) or fast_float and fmt (Homebrew).")

if(NOT CMAKE_CROSSCOMPILING)
    find_package(FastFloat QUIET)
    find_package(fmt QUIET)
    if(NOT FastFloat_FOUND OR NOT fmt_FOUND)
        message(FATAL_ERROR ${parabeam_missing_headers})
    endif()
    target_link_libraries(parabeam_number_libraries INTERFACE FastFloat::fast_float
                                                              fmt::fmt-header-only)
    return()
endif()

# A cross build (Windows, the browser) takes the build machine's copies of the
# headers. It cannot search the build machine's include folder as a whole,
# whose C library headers would shadow the target's own, so it sees just the
# two libraries' folders, through links in the build tree.
set(parabeam_host_headers ${CMAKE_BINARY_DIR}/host-headers)
foreach(header IN ITEMS fast_float/fast_float.h fmt/format.h)
    string(MAKE_C_IDENTIFIER ${header} variable)
    find_path(PARABEAM_${variable}_DIR ${header} PATHS /usr/include /usr/local/include
              /opt/homebrew/include NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
    if(NOT PARABEAM_${variable}_DIR)
        message(FATAL_ERROR ${parabeam_missing_headers})
    endif()
    get_filename_component(folder ${header} DIRECTORY)
    file(MAKE_DIRECTORY ${parabeam_host_headers})
    file(CREATE_LINK ${PARABEAM_${variable}_DIR}/${folder} ${parabeam_host_headers}/${folder}
         SYMBOLIC)
endforeach()
target_include_directories(parabeam_number_libraries SYSTEM INTERFACE ${parabeam_host_headers})
target_compile_definitions(parabeam_number_libraries INTERFACE FMT_HEADER_ONLY=1)
