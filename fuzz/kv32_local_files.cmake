# kv32: the user's private order book file and the audit display modes file.
if(TARGET kv32_logic)
  kv_add_fuzz(kv32_local_files SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/kv32_local_files.cpp
    LIBS kv32_logic CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/corpus/kv32_local_files)
endif()
