# Effect run step at production size over the authored effects (needs the tree in bin/).
lumora_add_bench(bench_effects ${CMAKE_CURRENT_SOURCE_DIR}/effects_bench.cpp)
