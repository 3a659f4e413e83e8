lumora_add_bench(bench_preview ${CMAKE_CURRENT_LIST_DIR}/preview_bench.cpp)
target_include_directories(bench_preview PRIVATE ${CMAKE_SOURCE_DIR}/tests)
