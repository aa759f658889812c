# use_build_machine_headers(TARGET FOLDER HEADER): makes a header-only library
# of the build machine (Debian's /usr/include/FOLDER, found by HEADER) visible
# to TARGET as <FOLDER/...>. The cross build must not search /usr/include (it
# holds the build machine's C library), so the folder is linked into a folder
# of the build tree that holds nothing else.
function(use_build_machine_headers target folder header)
  find_path(root_of_${folder} ${folder}/${header} PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  set(third_party ${CMAKE_BINARY_DIR}/third_party)
  if(NOT EXISTS ${third_party}/${folder})
    file(MAKE_DIRECTORY ${third_party})
    file(CREATE_LINK ${root_of_${folder}}/${folder} ${third_party}/${folder} SYMBOLIC)
  endif()
  target_include_directories(${target} SYSTEM PRIVATE ${third_party})
endfunction()
