# Cross build for 64-bit Windows with zig's clang: the twin of the mingw-w64 build that the
# tests run, to show that the ARM64 build's toolchain makes the same program.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(ZIG_TARGET x86_64-windows-gnu)
include("${CMAKE_CURRENT_LIST_DIR}/zig-common.cmake")
