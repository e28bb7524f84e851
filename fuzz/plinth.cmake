# plinth's readers of foreign bytes: configuration files, language string sources and
# compiled language string files.
if(TARGET plinth_obj)
  foreach(target plinth_config_ini plinth_lang_compiled plinth_lang_source)
    kv_add_fuzz(${target} SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/${target}.cpp LIBS plinth_obj
      CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/corpus/${target})
    target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/plinth/src)
  endforeach()
endif()
