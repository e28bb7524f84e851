# The check that every decoder of host records and every file reader has a fuzz target.
if(NOT KV_FUZZ AND TARGET kv32_logic)
  kv_add_test(fuzz_coverage_tests SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_coverage_test.cpp LIBS kv32_logic)
  target_compile_definitions(fuzz_coverage_tests PRIVATE KV_FUZZ_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
endif()
