# The same sources as 64-bit Windows programs. Only used to run the Windows
# tests under Wine on machines whose kernel cannot start 32-bit programs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ORDALIS_MINGW_TRIPLE x86_64-w64-mingw32)
set(ORDALIS_WINE_ARCH win64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
