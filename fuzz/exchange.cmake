# The simulated exchange's reader of request packets: its dispatcher and handlers.
if(TARGET exchange_core)
  kv_add_fuzz(exchange_dispatch SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/exchange_dispatch.cpp LIBS exchange_core
    CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/corpus/exchange_dispatch)
endif()
