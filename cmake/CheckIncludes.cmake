# Run at every build (cmake -P): a quoted include that climbs out of its folder ("../") would
# escape the layer's view of the tree, so none may exist in the layers' folders.
foreach(folder IN ITEMS platform core options logic ui app)
  file(GLOB_RECURSE files ${ROOT}/${folder}/*.h ${ROOT}/${folder}/*.cpp)
  foreach(file IN LISTS files)
    file(STRINGS ${file} climbing REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<][.][.]")
    if(climbing)
      message(FATAL_ERROR "${file}: an include climbs out of its layer's folder: ${climbing}")
    endif()
  endforeach()
endforeach()
