target_sources(halvorn_chart PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ChartValueList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ChartSeries.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ChartAxis.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CustomAxisPanel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CustomSeries.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SeriesPointer.cpp
)
