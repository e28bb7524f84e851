# The framework layer's readers of foreign bytes.
if(TARGET fw_core)
  kv_add_fuzz(fw_archive SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/fw_archive.cpp LIBS fw_core
    CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/corpus/fw_archive)
endif()
if(TARGET fw_core)
  kv_add_fuzz(fw_profile SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/fw_profile.cpp LIBS fw_core
    CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/corpus/fw_profile)
endif()
