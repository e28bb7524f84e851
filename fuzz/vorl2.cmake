# The router client's receive road, fed through the host stand-in's protocol peer.
if(TARGET vorl_obj AND TARGET hostsim_peer)
  kv_add_fuzz(vorl_client_recv SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/vorl_client_recv.cpp
    LIBS vorl_obj hostsim_peer
    CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/corpus/vorl_client_recv)
endif()
