# A 64-bit build of the Windows code, for running its tests under 64-bit Wine
# where 32-bit programs cannot run. The deliverables are the 32-bit build.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
