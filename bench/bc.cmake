# bc_bench: messages through the broadcast ring (one host application, one reader)
# against a plain memcpy of the same message bytes.
if(TARGET vorl)
  kv_add_bench(bc_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/bc_bench.cpp LIBS vorl plinth)
endif()
