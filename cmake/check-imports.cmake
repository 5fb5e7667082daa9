cmake_minimum_required(VERSION 3.20)
# Fails the build when a program imports a DLL that Windows does not ship,
# so the static link cannot silently start depending on a MinGW runtime.
# usage: cmake -DOBJDUMP=... -DPROGRAM=... -P check-imports.cmake
set(allowed ADVAPI32.DLL COMCTL32.DLL COMDLG32.DLL GDI32.DLL KERNEL32.DLL MSVCRT.DLL OLE32.DLL OLEAUT32.DLL
            SHELL32.DLL SHLWAPI.DLL USER32.DLL UXTHEME.DLL VERSION.DLL)
execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "objdump failed on ${PROGRAM}")
endif()
string(REGEX MATCHALL "DLL Name: [^\r\n]+" lines "${dump}")
foreach(line IN LISTS lines)
  string(REPLACE "DLL Name: " "" dll "${line}")
  string(STRIP "${dll}" dll)
  string(TOUPPER "${dll}" upper)
  if(NOT upper IN_LIST allowed AND NOT upper MATCHES "^API-MS-WIN-")
    message(FATAL_ERROR "${PROGRAM} imports ${dll}, which is not a system DLL")
  endif()
endforeach()
