# Cross-building for 64-bit Windows with Debian's MinGW-w64 compilers (the
# posix thread model, whose std::thread and std::mutex the module uses).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(OVRABJT_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${OVRABJT_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${OVRABJT_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${OVRABJT_MINGW_TRIPLE}-windres)
set(CMAKE_AR /usr/bin/${OVRABJT_MINGW_TRIPLE}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB /usr/bin/${OVRABJT_MINGW_TRIPLE}-ranlib CACHE FILEPATH "")

# Libraries and headers come from the MinGW root and the prefixes given in
# CMAKE_PREFIX_PATH (the cross-built XML library); programs from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${OVRABJT_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

# Test programs run under Wine.
find_program(OVRABJT_WINE NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
if(OVRABJT_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${OVRABJT_WINE})
endif()
