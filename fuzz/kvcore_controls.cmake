# kvcore's reader of dragged rows, whose bytes may come from another process.
if(TARGET kvcore)
  kv_add_fuzz(kvcore_row_payload SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/kvcore_row_payload.cpp LIBS kvcore
    CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/corpus/kvcore_row_payload)
endif()
