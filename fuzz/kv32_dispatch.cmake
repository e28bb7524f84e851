# kv32: reply packets of every type the reply dispatch registers, through the
# dispatch to every receiver of host records (tables, list windows, forms and
# the dialogs' own reply decoders).
if(TARGET kv32_test_support)
  kv_add_fuzz(kv32_dispatch_types SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/kv32_dispatch_types.cpp
    ${CMAKE_SOURCE_DIR}/kv32/dialogs/supervisor_requests.cpp
    LIBS kv32_test_support CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/corpus/kv32_dispatch_types)
endif()
