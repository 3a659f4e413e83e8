# bench_edit: saving and opening an album of 500 photos; template management
# with 200 photos (time to a full photo panel, longest user-interface stall).
if(LUMORA_BUILD_UI)
  lumora_add_bench(bench_edit ${CMAKE_CURRENT_LIST_DIR}/edit_bench.cpp)
  target_link_libraries(bench_edit PRIVATE lumora_ui)
endif()
