# kvcore benchmarks: field decoding against a hand-written std::from_chars baseline.
if(TARGET kvcore)
  kv_add_bench(codec_bench SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/codec_bench.cpp LIBS kvcore)
  kv_add_bench(gx_doc_bench SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/gx_doc_bench.cpp LIBS kvcore)
endif()
