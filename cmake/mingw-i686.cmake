# The shipped build: 32-bit Windows with the POSIX thread model, linked static.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(ORDALIS_MINGW_TRIPLE i686-w64-mingw32)
set(ORDALIS_WINE_ARCH win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
