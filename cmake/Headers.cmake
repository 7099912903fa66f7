# Each library of src/ offers its headers under its own folder's name and no
# other: orv_headers(orv_link link) gives the targets that link orv_link the
# include root build/include/link, which holds only the link "link" ->
# src/link. A file that includes "files/Backups.h" therefore compiles only
# in a target that links orv_files: the build holds the layers, and
# tools/check-layers.sh holds their direction.
function(orv_headers target folder)
  set(root ${PROJECT_BINARY_DIR}/include/${folder})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${folder} ${root}/${folder} SYMBOLIC)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()

# One header of a folder on its own, for a target that shares that header
# and nothing else of the folder (the simulator and the wire protocol).
function(orv_header_file target folder file)
  set(root ${PROJECT_BINARY_DIR}/include/${target})
  file(MAKE_DIRECTORY ${root}/${folder})
  file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${folder}/${file} ${root}/${folder}/${file} SYMBOLIC)
  target_include_directories(${target} INTERFACE ${root})
endfunction()
