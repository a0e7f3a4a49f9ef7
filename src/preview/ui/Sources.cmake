target_sources(quorvel_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/PreviewTab.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmPreview.cpp
)
