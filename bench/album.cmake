lumora_add_bench(bench_album ${CMAKE_CURRENT_LIST_DIR}/album_bench.cpp)
target_include_directories(bench_album PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(bench_album PRIVATE PkgConfig::TURBOJPEG)
