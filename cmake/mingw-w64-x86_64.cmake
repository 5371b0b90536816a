# Cross-build for 64-bit Windows with Debian's mingw-w64 (posix threads).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VARNEL_MINGW_PREFIX x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${VARNEL_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VARNEL_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${VARNEL_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VARNEL_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Windows test binaries run under Wine; the test script sets up the prefix and display.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
