# The -posix flavour of MinGW's GCC: the -win32 one lacks std::mutex, which GoogleTest needs.
set(CMAKE_C_COMPILER   ${KAZA_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KAZA_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${KAZA_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KAZA_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# One self-contained exe: no libstdc++/libgcc/winpthread DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
