target_sources(halvorn_platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Bitmap.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Canvas.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ClipRegion.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DeviceContext.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FontEngine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GuiApplication.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Lines.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PngWriter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RasterBitmap.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScanConvert.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Shapes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Text.cpp
)
