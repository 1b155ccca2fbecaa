# One static library per layer. A layer compiles against a view of the source tree that holds
# only its own folder and the folders below it, so an include that reaches up does not build.

# The views cannot stop a relative climb ("../app/..."), so every build looks for one first.
add_custom_target(tollward_include_check
  COMMAND ${CMAKE_COMMAND} -DROOT=${CMAKE_SOURCE_DIR} -P ${CMAKE_SOURCE_DIR}/cmake/CheckIncludes.cmake
  COMMENT "Looking for includes that climb out of their layer")

# tollward_layer(<target> FOLDER <folder> SEES <folders below> SOURCES <files> [LINKS <targets>])
# SOURCES are relative to FOLDER; LINKS are the libraries of the layers below and system ones.
function(tollward_layer name)
  cmake_parse_arguments(PARSE_ARGV 1 layer "" "FOLDER" "SEES;SOURCES;LINKS")
  set(view ${CMAKE_BINARY_DIR}/layer-views/${name})
  file(REMOVE_RECURSE ${view})
  foreach(folder IN LISTS layer_FOLDER layer_SEES)
    get_filename_component(parent ${view}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${view}/${folder} SYMBOLIC)
  endforeach()
  list(TRANSFORM layer_SOURCES PREPEND ${CMAKE_SOURCE_DIR}/${layer_FOLDER}/)
  add_library(${name} STATIC ${layer_SOURCES})
  target_include_directories(${name} PRIVATE ${view})
  target_compile_options(${name} PRIVATE ${TOLLWARD_WARNINGS})
  target_link_libraries(${name} PUBLIC ${layer_LINKS})
  add_dependencies(${name} tollward_include_check)
endfunction()
