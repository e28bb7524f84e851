# The toolkit's handling of a peer's bytes: enciphered payloads, RSA key blobs,
# RSA ciphertext and padded blocks.
if(TARGET mox)
  kv_add_fuzz(mox_payload_fuzz SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/mox_payload.cpp LIBS mox
    CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/corpus/mox_payload)
  target_include_directories(mox_payload_fuzz PRIVATE ${CMAKE_SOURCE_DIR}/mox)
endif()
