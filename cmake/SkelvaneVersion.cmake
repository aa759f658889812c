# The project's version for the sources and the resource scripts: a header
# generated from project(... VERSION ...) into the build tree, found as
# <SkelvaneVersion.h> by the targets that use_skelvane_version() names.
set(SKELVANE_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_CURRENT_LIST_DIR}/SkelvaneVersion.h.in
  ${SKELVANE_GENERATED_DIR}/SkelvaneVersion.h @ONLY)

function(use_skelvane_version target)
  target_include_directories(${target} PRIVATE ${SKELVANE_GENERATED_DIR})
endfunction()

# add_version_resource(TARGET RC_FILE): the target's resource script, which
# includes res/VersionInfo.rc2, rebuilt when the version or the block changes.
function(add_version_resource target rc_file)
  target_sources(${target} PRIVATE ${rc_file})
  use_skelvane_version(${target})
  set_property(SOURCE ${rc_file} APPEND PROPERTY OBJECT_DEPENDS
    ${SKELVANE_GENERATED_DIR}/SkelvaneVersion.h ${CMAKE_SOURCE_DIR}/res/VersionInfo.rc2)
endfunction()
