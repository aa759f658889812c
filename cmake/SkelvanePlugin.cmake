# add_skelvane_plugin(NAME CLASS_SOURCE CORE_LIBRARY): one plug-in module, the
# host's DLL (with its .def exports, dialog resource 102 and version resource)
# on Windows and a loadable module natively, made of the plug-in class, the
# shared entry points and the plug-in's core library.
function(add_skelvane_plugin name class_source core)
  add_library(${name} MODULE
    ${class_source}
    ${CMAKE_SOURCE_DIR}/frame/PluginExports.cpp
    ${CMAKE_SOURCE_DIR}/frame/ModuleEntry.cpp
  )
  set_target_properties(${name} PROPERTIES PREFIX "" CXX_VISIBILITY_PRESET hidden)
  target_compile_options(${name} PRIVATE ${SKELVANE_SJIS_FLAGS})
  target_link_libraries(${name} PRIVATE ${core})
  if(SKELVANE_WIN32)
    target_sources(${name} PRIVATE ${CMAKE_SOURCE_DIR}/res/${name}.def)
    set_source_files_properties(${CMAKE_SOURCE_DIR}/res/${name}.rc PROPERTIES
      OBJECT_DEPENDS ${CMAKE_SOURCE_DIR}/res/ResourceIds.h)
    add_version_resource(${name} ${CMAKE_SOURCE_DIR}/res/${name}.rc)
  endif()
endfunction()
