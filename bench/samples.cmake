# Sample content generation time (photos, song, lyrics, default backgrounds),
# running the sample author's jobs the way lumora-studio does.
file(GLOB _sample_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/studio/samples/*.cpp)
lumora_add_bench(bench_samples ${CMAKE_CURRENT_LIST_DIR}/bench_samples.cpp ${_sample_sources})
target_include_directories(bench_samples PRIVATE ${CMAKE_SOURCE_DIR}/studio)
target_link_libraries(bench_samples PRIVATE PkgConfig::FFMPEG Threads::Threads)
