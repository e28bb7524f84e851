# vorl_bench: the router client's round trip and message rate against raw TCP on
# loopback, printed as ratios. A plain program printing figures; later paths of
# the router join it through this source list.
if(TARGET vorl AND TARGET plinth)
  set(vorl_bench_sources ${CMAKE_CURRENT_LIST_DIR}/vorl_bench.cpp)
  list(APPEND vorl_bench_sources ${CMAKE_CURRENT_LIST_DIR}/vorl_bench_router.cpp) # needs vorlrouter, echohost
  kv_add_bench(vorl_bench SOURCES ${vorl_bench_sources} LIBS vorl plinth)
  target_include_directories(vorl_bench PRIVATE ${CMAKE_SOURCE_DIR}/hostsim/common)
  add_dependencies(vorl_bench vorlrouter echohost plinth_o vorl_msg)
endif()
# The same path through the router process stand-in with pimox on and off
# (vorl_bench_pimox.cpp prints its figures when vorl_bench ends).
if(TARGET vorl_bench AND TARGET vorlrouter AND TARGET echohost AND TARGET pimox)
  target_sources(vorl_bench PRIVATE ${CMAKE_CURRENT_LIST_DIR}/vorl_bench_pimox.cpp)
  add_dependencies(vorl_bench vorlrouter echohost pimox)
endif()
