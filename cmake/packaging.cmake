# Installation and packages: a Debian package on Linux, a ZIP archive for
# Windows. `cpack` in a build folder (or packaging/build_packages.sh) makes them.

if(WIN32)
    # The archive holds the program and a short note on running it, side by side.
    install(TARGETS parabeam RUNTIME DESTINATION .)
    # With CR LF line ends, as a Windows text file has them.
    file(READ ${PROJECT_SOURCE_DIR}/docs/windows-readme.txt readme)
    string(REPLACE "\n" "\r\n" readme "${readme}")
    file(WRITE ${PROJECT_BINARY_DIR}/windows-readme.txt "${readme}")
    install(FILES ${PROJECT_BINARY_DIR}/windows-readme.txt DESTINATION .)
    # The 64-bit program beside it, as parabeam64.exe: 64-bit Windows runs it
    # natively, and so does wine on a kernel without 32-bit support, where the
    # archive's programs are checked (packaging/build_packages.sh gives it).
    set(PARABEAM_WINDOWS_64_PROGRAM "" CACHE FILEPATH
        "The 64-bit parabeam.exe, packed beside this one as parabeam64.exe")
    if(PARABEAM_WINDOWS_64_PROGRAM)
        install(PROGRAMS ${PARABEAM_WINDOWS_64_PROGRAM} DESTINATION . RENAME parabeam64.exe)
    endif()
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
                                           ${PROJECT_SOURCE_DIR}/docs/windows-readme.txt)
    set(CPACK_GENERATOR ZIP)
else()
    include(GNUInstallDirs)
    install(TARGETS parabeam RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${PROJECT_SOURCE_DIR}/man/parabeam.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    set(CPACK_GENERATOR DEB)
endif()

set(CPACK_PACKAGE_NAME parabeam)
set(CPACK_PACKAGE_VENDOR "parabeam project")
set(CPACK_PACKAGE_CONTACT "parabeam maintainers <maintainers@parabeam.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "beam on two supports: reactions derived step by step on the console")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CHECKSUM SHA256)

# Debian: parabeam_<version>_<arch>.deb, installable with `apt-get install ./parabeam_*.deb`.
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The summary above is the synopsis; these lines are the extended description.
string(JOIN "\n" CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "parabeam asks for the lengths, the loads and the horizontal forces of a"
    "beam on a pin and a rocker, carrying a rectangular and a triangular load"
    "block, and shows every step of the solution for the support reactions."
    "Each run appends a summary record to data-values.dat in the current"
    "directory.")
# The exact libc6 and libstdc++6 versions come from dpkg-shlibdeps, which CPack
# runs only on the files that `file` calls dynamically linked: both must be there.
find_program(PARABEAM_DPKG_SHLIBDEPS dpkg-shlibdeps)
find_program(PARABEAM_FILE file)
if(PARABEAM_DPKG_SHLIBDEPS AND PARABEAM_FILE)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6 (>= 2.34), libgcc-s1 (>= 3.0), libstdc++6 (>= 11)")
endif()

include(CPack)
