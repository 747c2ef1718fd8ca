halvorn_test(test_canvas
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ChartCanvasTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ChartToolsTest.cpp
  LIBS halvorn_chart)
