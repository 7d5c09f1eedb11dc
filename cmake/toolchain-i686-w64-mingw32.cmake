# Cross-compile for 32-bit Windows with the posix-threads variant of mingw-w64.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(TASTRO_TRIPLE i686-w64-mingw32)
set(CMAKE_C_COMPILER ${TASTRO_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TASTRO_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TASTRO_TRIPLE}-windres)
# Floating point on SSE2, as in the 64-bit build: doubles are rounded to double at every step instead of
# keeping the x87 unit's excess precision, so both builds compute the same values.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_FIND_ROOT_PATH /usr/${TASTRO_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
