find_package(Qt6 REQUIRED COMPONENTS Test)

# The widget tests bring their own main, which creates the application object
# before any test runs.
add_executable(test_forms
  ${CMAKE_CURRENT_LIST_DIR}/forms/ApplicationTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/forms/ButtonTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/forms/ControlTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/forms/FormsTestMain.cpp
  ${CMAKE_CURRENT_LIST_DIR}/forms/LabelTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/forms/MessageWindowsTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/forms/ModalWatcher.cpp
  ${CMAKE_CURRENT_LIST_DIR}/forms/PanelTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/forms/RadioGroupTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/forms/ScrollBarTest.cpp
)
target_link_libraries(test_forms PRIVATE halvorn_forms Qt6::Test GTest::gtest GTest::gmock)
gtest_discover_tests(test_forms PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
                     DISCOVERY_TIMEOUT 60)
