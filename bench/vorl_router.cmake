# vorl_bench_router: the router's whole path (client, vorlrouter, echohost)
# against raw TCP on loopback, printed as ratios. A plain program printing figures.
if(TARGET vorl AND TARGET plinth)
  kv_add_bench(vorl_bench_router SOURCES ${CMAKE_CURRENT_LIST_DIR}/vorl_bench_router.cpp LIBS vorl plinth)
  add_dependencies(vorl_bench_router vorlrouter echohost plinth_o vorl_msg)
endif()
