# kv32: the user's local trading accounts file and the program's tail of the settings file.
if(TARGET kv32_logic)
  kv_add_fuzz(kv32_session_files SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/kv32_session_files.cpp
    LIBS kv32_logic CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/corpus/kv32_session_files)
endif()
