# Effect windows: how soon a package starts moving, whether it holds 25 frames
# per second, and how fast a category's gallery fills (needs the tree in bin/).
lumora_add_bench(bench_ui_effects ${CMAKE_CURRENT_LIST_DIR}/ui_effects_bench.cpp)
target_link_libraries(bench_ui_effects PRIVATE lumora_ui)
set_target_properties(bench_ui_effects PROPERTIES AUTOMOC ON)
