# The part of the zig toolchain files that both processors share: zig's clang with libc++ and
# the MinGW-w64 headers and libraries for ZIG_TARGET (x86_64-windows-gnu or aarch64-windows-gnu),
# through the links in cmake/zig that name each tool for its target.
set(CMAKE_SYSTEM_NAME Windows)

set(ZIG_TOOLS "${CMAKE_CURRENT_LIST_DIR}/zig/${ZIG_TARGET}")
set(CMAKE_C_COMPILER "${ZIG_TOOLS}-cc")
set(CMAKE_CXX_COMPILER "${ZIG_TOOLS}-c++")
set(CMAKE_RC_COMPILER "${ZIG_TOOLS}-windres")
set(CMAKE_AR "${ZIG_TOOLS}-ar" CACHE FILEPATH "")
set(CMAKE_RANLIB "${ZIG_TOOLS}-ranlib" CACHE FILEPATH "")

set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# zig builds its C and C++ libraries for the optimization the compiler is called with: the
# compiler checks of CMake use the release's, so that the libraries are built once.
set(CMAKE_C_FLAGS_INIT -Os)
set(CMAKE_CXX_FLAGS_INIT -Os)
