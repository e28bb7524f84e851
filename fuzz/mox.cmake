# The toolkit's BER readers: keys, integers, octet and bit strings, object and algorithm identifiers.
if(TARGET mox)
  kv_add_fuzz(mox_ber_fuzz SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/mox_ber.cpp LIBS mox
    CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/corpus/mox_ber)
  target_include_directories(mox_ber_fuzz PRIVATE ${CMAKE_SOURCE_DIR}/mox)
endif()
