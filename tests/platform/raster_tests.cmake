halvorn_test(test_raster
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/raster/ClipBlitTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/raster/LineTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/raster/ShapeTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/raster/TextTest.cpp
  LIBS halvorn_platform)
