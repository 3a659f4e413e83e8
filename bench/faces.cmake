lumora_add_bench(bench_faces ${CMAKE_CURRENT_LIST_DIR}/faces_bench.cpp)
