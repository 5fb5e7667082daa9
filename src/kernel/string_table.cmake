# Writes the native build's copy of the program's string table: the entries
# of res/strings.rc with the numbers res/resource.h gives their identifiers,
# as C++ initialisers {number, "text"}.
#
# usage: cmake -DRC=strings.rc -DHEADER=resource.h -DOUTPUT=string_table.inc -P string_table.cmake

# Semicolons and brackets would split or merge CMake list items; they travel
# as placeholders and come back in the output.
function(read_lines path out)
  file(READ "${path}" content)
  string(REPLACE ";" "@SEMICOLON@" content "${content}")
  string(REPLACE "[" "@OPEN@" content "${content}")
  string(REPLACE "]" "@CLOSE@" content "${content}")
  string(REPLACE "\r" "" content "${content}")
  string(REPLACE "\n" ";" lines "${content}")
  set(${out} "${lines}" PARENT_SCOPE)
endfunction()

read_lines("${HEADER}" header_lines)
foreach(line IN LISTS header_lines)
  if(line MATCHES "^#define[ \t]+(IDS_[A-Za-z0-9_]+)[ \t]+([0-9]+)")
    set(number_${CMAKE_MATCH_1} ${CMAKE_MATCH_2})
  endif()
endforeach()

set(result "// Generated from strings.rc and resource.h; do not edit.\n")
read_lines("${RC}" rc_lines)
set(count 0)
foreach(line IN LISTS rc_lines)
  if(NOT line MATCHES "^[ \t]*(IDS_[A-Za-z0-9_]+)[ \t]*,[ \t]*\"(.*)\"[ \t]*$")
    continue()
  endif()
  set(name ${CMAKE_MATCH_1})
  set(text "${CMAKE_MATCH_2}")
  if(NOT DEFINED number_${name})
    message(FATAL_ERROR "${RC}: ${name} has no number in ${HEADER}")
  endif()
  # A resource script doubles a quote inside a text; C++ escapes it.
  string(REPLACE "\"\"" "\\\"" text "${text}")
  string(APPEND result "{${number_${name}}, \"${text}\"},\n")
  math(EXPR count "${count} + 1")
endforeach()
if(count EQUAL 0)
  message(FATAL_ERROR "${RC}: no strings found")
endif()
string(REPLACE "@SEMICOLON@" ";" result "${result}")
string(REPLACE "@OPEN@" "[" result "${result}")
string(REPLACE "@CLOSE@" "]" result "${result}")

# Rewrite only on change, so that what includes it is not rebuilt for nothing.
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" old)
  if(old STREQUAL result)
    return()
  endif()
endif()
file(WRITE "${OUTPUT}" "${result}")
