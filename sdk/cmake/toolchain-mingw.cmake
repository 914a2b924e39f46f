# Cross build of a module with mingw-w64 (posix thread model) for ORREL_ARCH,
# set by the per-architecture file that includes this one. On Windows with
# MSYS2's toolchain no toolchain file is needed.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${ORREL_ARCH})
set(CMAKE_C_COMPILER   ${ORREL_ARCH}-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORREL_ARCH}-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER  ${ORREL_ARCH}-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${ORREL_ARCH}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
