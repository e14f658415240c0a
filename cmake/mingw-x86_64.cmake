# Cross toolchain for a test build of the same tree for x86_64, whose tests run under 64-bit Wine
# on machines that cannot run 32-bit programs. Nothing of it ships: the deliverables are i686.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
