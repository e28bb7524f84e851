# kv32: arbitrary bytes as an order list file, in its tagged and its text form.
if(TARGET kv32_logic)
  kv_add_fuzz(kv32_order_list SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/kv32_order_list.cpp
    LIBS kv32_logic CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/corpus/kv32_order_list)
endif()
