target_sources(skelvane_format PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/AtomicLayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BinMeshLayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ClumpLayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrameListLayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GeometryLayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MaterialLayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkinLayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TextureDictionaryLayout.cpp
)
