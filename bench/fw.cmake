# Grid benchmark: GridView against a bare QTableView, and document-index sorting against
# std::stable_sort. A plain program printing figures; run offscreen.
if(TARGET fw_ui)
  kv_add_bench(grid_bench SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/grid_bench.cpp LIBS fw_ui)
  set_target_properties(grid_bench PROPERTIES AUTOMOC ON)
endif()
