# exchange_bench: the simulated exchange's logon snapshot and order rate
# through vorlrouter, against the router's echo loop with the same bytes.
if(TARGET exchange_core AND TARGET vorl AND TARGET plinth)
  kv_add_bench(exchange_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/exchange_bench.cpp LIBS exchange_client vorl plinth)
  target_include_directories(exchange_bench PRIVATE ${CMAKE_CURRENT_LIST_DIR} ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/hostsim/common)
  add_dependencies(exchange_bench exchange exchange_datagen vorlrouter echohost plinth_o vorl_msg)
endif()
