# The form classes over Qt Widgets, a library of their own so that the chart
# and the simulation never depend on Qt Widgets.
add_library(halvorn_forms STATIC
  ${CMAKE_CURRENT_LIST_DIR}/Application.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Button.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Component.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Control.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Edit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Form.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GroupBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Label.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MessageWindows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Panel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PanelHostWidget.cpp
  ${CMAKE_CURRENT_LIST_DIR}/QtBridge.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RadioGroup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScrollBar.cpp
)
target_include_directories(halvorn_forms PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(halvorn_forms PUBLIC halvorn_platform Qt6::Widgets)
