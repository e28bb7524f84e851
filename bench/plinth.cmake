# plinth_bench: cross-process event round trip against a pipe ping-pong, and the
# uncontended mutex against std::mutex.
if(TARGET plinth)
  kv_add_bench(plinth_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/plinth_bench.cpp LIBS plinth)
endif()
