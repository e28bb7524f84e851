# kv32 benchmarks: change reports applied to a host data table against a
# std::from_chars baseline into a plain array.
if(TARGET kv32_test_support)
  kv_add_bench(table_bench SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/table_bench.cpp ${CMAKE_CURRENT_SOURCE_DIR}/table_bench_security.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/table_bench_orders.cpp LIBS kv32_test_support)
endif()
