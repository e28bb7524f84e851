# kv32: arbitrary reply packets through the program's reply dispatch into a host data table.
if(TARGET kv32_test_support)
  kv_add_fuzz(kv32_reply_dispatch SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/kv32_reply_dispatch.cpp
    LIBS kv32_test_support CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/corpus/kv32_reply_dispatch)
endif()
