# Shared by the mingw-w64 toolchain files, which set CMAKE_SYSTEM_PROCESSOR and
# PARABEAM_MINGW_TRIPLE first.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${PARABEAM_MINGW_TRIPLE}-gcc)
set(CMAKE_CXX_COMPILER ${PARABEAM_MINGW_TRIPLE}-g++)
set(CMAKE_RC_COMPILER ${PARABEAM_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${PARABEAM_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# parabeam.exe runs on its own: no libgcc, libstdc++ or winpthread DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# A release build is stripped: the package carries the bare program.
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")
