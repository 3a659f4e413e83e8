# The production window against lumora-make's path: the same album produced
# both ways in one run, with the longest user-interface stall (needs the
# authored tree in bin/ and the ffmpeg tool).
if(TARGET lumora_ui)
  lumora_add_bench(bench_ui_production ${CMAKE_CURRENT_LIST_DIR}/ui_production_bench.cpp
                   ${CMAKE_CURRENT_LIST_DIR}/bench_album.h)
  target_link_libraries(bench_ui_production PRIVATE lumora_ui)
  target_compile_definitions(bench_ui_production PRIVATE LUMORA_BENCH_PROGRAM_DIR="${LUMORA_PROGRAM_DIR}/")
endif()
