# Cross build for Windows on ARM (jvmhost-arm64.exe) with zig's clang.
set(CMAKE_SYSTEM_PROCESSOR ARM64)
set(ZIG_TARGET aarch64-windows-gnu)
include("${CMAKE_CURRENT_LIST_DIR}/zig-common.cmake")
