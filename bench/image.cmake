lumora_add_bench(bench_image ${CMAKE_CURRENT_LIST_DIR}/bench_image.cpp)
