add_executable(bench_series ${CMAKE_CURRENT_LIST_DIR}/SeriesBench.cpp)
target_link_libraries(bench_series PRIVATE halvorn_chart benchmark::benchmark benchmark::benchmark_main)
