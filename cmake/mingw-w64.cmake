# Cross-building for 64-bit Windows with Debian's MinGW-w64 (POSIX threads,
# which std::thread and std::mutex need), running what it builds under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(LOOMWORK_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${LOOMWORK_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LOOMWORK_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${LOOMWORK_MINGW}-windres)
set(CMAKE_AR ${LOOMWORK_MINGW}-gcc-ar-posix)
set(CMAKE_RANLIB ${LOOMWORK_MINGW}-gcc-ranlib-posix)

# Libraries cross-built into the cache folder are found first; nothing of
# the Linux host is ever taken for a Windows library.
# Kept in the cache, so configuring again without the variable set still
# finds them.
if(DEFINED ENV{LOOMWORK_WINDOWS_PREFIX})
  set(LOOMWORK_WINDOWS_PREFIX $ENV{LOOMWORK_WINDOWS_PREFIX} CACHE PATH "Windows libraries cross-built from Debian's sources" FORCE)
endif()
set(CMAKE_FIND_ROOT_PATH ${LOOMWORK_WINDOWS_PREFIX} /usr/${LOOMWORK_MINGW})
set(CMAKE_PREFIX_PATH ${LOOMWORK_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(ENV{PKG_CONFIG_LIBDIR} ${LOOMWORK_WINDOWS_PREFIX}/lib/pkgconfig)
set(ENV{PKG_CONFIG_SYSROOT_DIR} "")

# Tests run under Wine, with Qt's libraries and the MinGW runtime in reach.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run ${LOOMWORK_WINDOWS_PREFIX})
