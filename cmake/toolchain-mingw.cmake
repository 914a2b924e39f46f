# Cross build with mingw-w64 (posix thread model) for ORREL_ARCH, set by the
# per-architecture toolchain file that includes this one. scripts/make-sdk puts
# this file into the module SDK too; on Windows with MSYS2's toolchain no
# toolchain file is needed.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${ORREL_ARCH})
set(CMAKE_C_COMPILER   ${ORREL_ARCH}-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORREL_ARCH}-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER  ${ORREL_ARCH}-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${ORREL_ARCH}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# In the source tree every test executable runs under Wine (the SDK has no runner).
if(EXISTS ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
endif()
