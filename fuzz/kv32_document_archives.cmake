# kv32: the list windows' documents as a workspace file stores them.
if(TARGET kv32_test_support)
  kv_add_fuzz(kv32_document_archives SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/kv32_document_archives.cpp
    LIBS kv32_test_support CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/corpus/kv32_document_archives)
endif()
