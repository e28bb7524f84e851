# kv32_logon_bench: the workstation's logon with the simulated exchange's large data set,
# against the router's echo loop carrying the same reply bytes. Slow: not a test.
if(TARGET exchange_client AND TARGET kv32 AND TARGET vorl AND TARGET plinth)
  kv_add_bench(kv32_logon_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/kv32_logon_bench.cpp LIBS exchange_client vorl plinth)
  target_include_directories(kv32_logon_bench PRIVATE ${CMAKE_CURRENT_LIST_DIR} ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/hostsim/common)
  add_dependencies(kv32_logon_bench kv32 exchange exchange_datagen vorlrouter echohost plinth_o vorl_msg)
endif()
