halvorn_test(test_raster
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/raster/LineTest.cpp
  LIBS halvorn_platform)
