# kv32: the user's text files, the English board names and a news item's header lines.
if(TARGET kv32_logic)
  kv_add_fuzz(kv32_text_files SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/kv32_text_files.cpp
    LIBS kv32_logic CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/corpus/kv32_text_files)
endif()
