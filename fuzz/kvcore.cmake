# kvcore's readers of host text: the fixed-width field codecs and number and date texts.
if(TARGET kvcore)
  kv_add_fuzz(kvcore_codecs SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/kvcore_codecs.cpp LIBS kvcore
    CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/corpus/kvcore_codecs)
endif()
