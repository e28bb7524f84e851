# The user's settings file and the layout record of a workspace file.
if(TARGET kvcore)
  kv_add_fuzz(kvcore_session_files SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/kvcore_session_files.cpp LIBS kvcore
    CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/corpus/kvcore_session_files)
endif()
