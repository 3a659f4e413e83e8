# bench_edit: saving and opening an album of 500 photos; template management
# with 200 photos (time to a full photo panel, a person's steps, every
# user-interface stall over 50 ms). Runs from the build folder as it is.
if(LUMORA_BUILD_UI)
  lumora_add_bench(bench_edit ${CMAKE_CURRENT_LIST_DIR}/edit_bench.cpp)
  target_link_libraries(bench_edit PRIVATE lumora_ui)
  target_compile_definitions(bench_edit PRIVATE LUMORA_BENCH_PROGRAM_DIR="${LUMORA_PROGRAM_DIR}/")
endif()
