# Cross build for 32-bit Windows (the companion jvmhost32.exe) with Debian's posix-thread
# mingw-w64 compilers.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(TOOLCHAIN_PREFIX i686-w64-mingw32)
include("${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake")
