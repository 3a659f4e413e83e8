lumora_add_bench(bench_songs ${CMAKE_CURRENT_LIST_DIR}/songs_bench.cpp)
