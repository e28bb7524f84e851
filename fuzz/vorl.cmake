# The router's readers of foreign bytes: packets of messages and plug-in packets.
if(TARGET vorl_obj)
  kv_add_fuzz(vorl_packet SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/vorl_packet.cpp LIBS vorl_obj
    CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/corpus/vorl_packet)
  target_include_directories(vorl_packet PRIVATE ${CMAKE_SOURCE_DIR}/vorl/src)
endif()
