# bench_movies: median milliseconds per rendered frame of every authored template.
lumora_add_bench(bench_movies ${CMAKE_CURRENT_LIST_DIR}/movies_bench.cpp)
