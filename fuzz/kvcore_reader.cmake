# kvcore's bounded record reader, as a host table decoder drives it.
if(TARGET kvcore)
  kv_add_fuzz(kvcore_record_reader SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/kvcore_record_reader.cpp LIBS kvcore
    CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/corpus/kvcore_record_reader)
endif()
