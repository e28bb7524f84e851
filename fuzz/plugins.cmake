# The router plug-ins' readers of foreign bytes: pimox's public-key message.
if(TARGET pimox_core)
  kv_add_fuzz(pimox_513 SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/pimox_513.cpp LIBS pimox_core
    CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/corpus/pimox_513)
endif()
