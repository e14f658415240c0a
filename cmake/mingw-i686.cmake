# Cross toolchain for the Windows deliverables: 32-bit, because the host is a 32-bit process.
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
