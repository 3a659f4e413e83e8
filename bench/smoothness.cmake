# bench_smoothness: largest second difference of every template's photo motion (phase correlation).
lumora_add_bench(bench_smoothness ${CMAKE_CURRENT_LIST_DIR}/smoothness_bench.cpp)
