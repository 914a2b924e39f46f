# Modules for the shipped, 32-bit orrel.exe.
set(ORREL_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
