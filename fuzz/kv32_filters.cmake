# kv32: the list windows' filter criteria as stored in a workspace archive.
if(TARGET kv32_test_support)
  kv_add_fuzz(kv32_filters SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/kv32_filters.cpp
    LIBS kv32_test_support CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/corpus/kv32_filters)
endif()
