# Builds that give the same bytes from the same commit wherever they are made:
# no build folder in the objects (assertion texts, debug information) and no
# link time in a Windows program's header. GCC applies the last matching
# prefix map, so the build folder, often inside the source tree, comes last.
add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}=. -ffile-prefix-map=${CMAKE_BINARY_DIR}=build)
if(WIN32)
  add_link_options(-Wl,--no-insert-timestamp)
endif()

# The shipped programs carry no symbols.
option(ORDALIS_STRIP "Strip the programs" OFF)
if(ORDALIS_STRIP)
  add_link_options(-s)
endif()
