# How the simulated host drives plug-ins: loading them through their exports
# and answering their dialogs through in-memory controls.
add_library(hostsim_driver STATIC
  ${CMAKE_CURRENT_LIST_DIR}/MemoryDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DialogScript.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PluginLoader.cpp
)
target_link_libraries(hostsim_driver PUBLIC hostsim skelvane_platform)
