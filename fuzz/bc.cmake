# The broadcast client's reading of packets that a listener placed into its block.
if(TARGET vorl)
  kv_add_fuzz(vorl_bc_client SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/vorl_bc_client.cpp LIBS vorl plinth
    CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/corpus/vorl_bc_client)
  if(TARGET plinth_o)
    add_dependencies(vorl_bc_client plinth_o)
  endif()
endif()
