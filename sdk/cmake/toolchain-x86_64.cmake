# Modules for the 64-bit test build of orrel.exe (not shipped).
set(ORREL_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
