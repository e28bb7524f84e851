# kv32: arbitrary bytes as the host's reply to the news text request.
if(TARGET kv32_logic)
  kv_add_fuzz(kv32_news_text SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/kv32_news_text.cpp
    LIBS kv32_logic CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/corpus/kv32_news_text)
endif()
