target_sources(halvorn_chart PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/CanvasTools.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ChartCanvas.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ChartFont.cpp
  ${CMAKE_CURRENT_LIST_DIR}/View3DOptions.cpp
)
