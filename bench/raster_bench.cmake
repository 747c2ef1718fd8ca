add_executable(bench_raster ${CMAKE_CURRENT_LIST_DIR}/RasterBench.cpp)
target_link_libraries(bench_raster PRIVATE halvorn_platform benchmark::benchmark
                      benchmark::benchmark_main)
