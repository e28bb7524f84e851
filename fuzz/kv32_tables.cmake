# kv32: arbitrary records through the decoders of the reference and security tables.
if(TARGET kv32_test_support)
  kv_add_fuzz(kv32_reference_tables SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/kv32_reference_tables.cpp
    LIBS kv32_test_support CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/corpus/kv32_reference_tables)
endif()
# kv32: the alert, alert-log, order-count and default-selection files.
if(TARGET kv32_test_support)
  kv_add_fuzz(kv32_alert_files SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/kv32_alert_files.cpp
    LIBS kv32_test_support CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/corpus/kv32_alert_files)
endif()
