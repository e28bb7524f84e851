# kvcore benchmarks: field decoding against a hand-written std::from_chars baseline.
if(TARGET kvcore)
  kv_add_bench(codec_bench SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/codec_bench.cpp LIBS kvcore)
  kv_add_bench(gx_doc_bench SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/gx_doc_bench.cpp LIBS kvcore)
endif()
# The list window (CTGXDoc with CTGXView) against the framework grid's figures in the same run.
if(TARGET kvcore AND TARGET fw_ui)
  kv_add_bench(gx_grid_bench SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/gx_grid_bench.cpp LIBS kvcore)
endif()
