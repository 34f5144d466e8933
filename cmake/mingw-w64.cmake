# Cross-builds the Windows program with Debian's mingw-w64 for CMAKE_SYSTEM_PROCESSOR, which the
# including toolchain file sets. The -posix compilers are named explicitly: the win32-threads
# variant, when installed, wins the unsuffixed names.
set(CMAKE_SYSTEM_NAME Windows)
set(KARVOSEL_MINGW_TRIPLE ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)

set(CMAKE_C_COMPILER ${KARVOSEL_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KARVOSEL_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${KARVOSEL_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KARVOSEL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One self-contained exe: the compiler's runtime is linked in, so only system DLLs are imported.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
