# The orders and trades windows over 1,000,000 records kept in step with
# 10,000 updates a second, the Audit Events window taking 1,000,000 events,
# the cash positions window 10,000 changes a second and the securities window
# over 50,000 securities 10,000 change reports a second, against grid_bench's
# bare QTableView in the same run.
if(TARGET kv32_ui AND TARGET kv32_test_support)
  kv_add_bench(window_bench SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/window_bench.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/window_bench_supervision.cpp ${CMAKE_CURRENT_SOURCE_DIR}/window_bench_securities.cpp
    LIBS kv32_ui kv32_test_support)
  set_target_properties(window_bench PROPERTIES AUTOMOC ON)
endif()
