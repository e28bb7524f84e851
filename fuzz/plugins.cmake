# The router plug-ins' readers of foreign bytes: pimox's public-key message.
if(TARGET pimox_core)
  kv_add_fuzz(pimox_513 SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/pimox_513.cpp LIBS pimox_core
    CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/corpus/pimox_513)
endif()
# pigauge's client reading the configuration its server sends.
if(TARGET pigauge_core)
  kv_add_fuzz(pigauge_258 SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/pigauge_258.cpp LIBS pigauge_core
    CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/corpus/pigauge_258)
endif()
