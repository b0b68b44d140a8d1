# The win32 thread model of MinGW's GCC: the posix one links winpthreads, which imports functions
# that Windows 98, NT 4.0 and 2000 lack (GetTickCount64, the vectored exception handlers) or only
# stub on 9x. Program and tests are built by this same compiler; tests/support/gtest shows
# GoogleTest how to do without std::mutex.
set(CMAKE_C_COMPILER   ${KAZA_TRIPLE}-gcc-win32)
set(CMAKE_CXX_COMPILER ${KAZA_TRIPLE}-g++-win32)
set(CMAKE_RC_COMPILER  ${KAZA_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KAZA_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# One self-contained exe: no libstdc++/libgcc/winpthread DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
