# Cross build for i686 Windows with Debian's mingw-w64 (posix threads flavour).
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
