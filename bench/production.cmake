# Production speed and memory: a whole album against encoding alone.
lumora_add_bench(bench_production ${CMAKE_CURRENT_LIST_DIR}/production_bench.cpp)
