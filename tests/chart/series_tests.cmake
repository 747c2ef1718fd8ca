halvorn_test(test_chart_series
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ChartValueListTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ChartSeriesTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ChartAxisTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CustomSeriesTest.cpp
  LIBS halvorn_chart)
