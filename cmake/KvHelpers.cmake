# Shared helpers for module CMakeLists files.

# kv_discover_tests(<target> [VAR=value...]): one ctest entry per test case, each run with
# KV_SOURCE_DIR, KV_BIN_DIR and the given variables. gtest_discover_tests cannot pass a list
# through ENVIRONMENT, so the variables are set by an include file that runs after discovery.
function(kv_discover_tests name)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 120 TEST_LIST ${name}_TESTS PROPERTIES TIMEOUT 300)
  set(env "KV_SOURCE_DIR=${CMAKE_SOURCE_DIR}" "KV_BIN_DIR=${CMAKE_BINARY_DIR}/bin" ${ARGN})
  list(JOIN env ";" env_joined)
  set(env_file ${CMAKE_CURRENT_BINARY_DIR}/${name}_env.cmake)
  file(WRITE ${env_file}
    "foreach(kv_test IN LISTS ${name}_TESTS)\n"
    "  set_tests_properties(\"\${kv_test}\" PROPERTIES ENVIRONMENT \"${env_joined}\")\n"
    "endforeach()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${env_file})
endfunction()

# kv_add_test(<name> SOURCES <files...> [LIBS <targets...>] [ENV <VAR=value...>])
# One GoogleTest binary; each test case becomes one ctest entry.
function(kv_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;ENV" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock Threads::Threads)
  kv_discover_tests(${name} ${ARG_ENV})
endfunction()

# kv_add_test_nomain: same, but the test supplies its own main() (e.g. fw/test's QApplication main).
function(kv_add_test_nomain name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;ENV" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock Threads::Threads)
  kv_discover_tests(${name} ${ARG_ENV})
endfunction()

# kv_add_fuzz(<name> SOURCES <files...> [LIBS <targets...>] CORPUS <dir>)
# The source defines LLVMFuzzerTestOneInput. Under the fuzz preset it becomes a libFuzzer
# program; otherwise it is linked with a replay main and every seed file of CORPUS is run as a test.
function(kv_add_fuzz name)
  cmake_parse_arguments(ARG "" "CORPUS" "SOURCES;LIBS" ${ARGN})
  if(KV_FUZZ)
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  else()
    add_executable(${name} ${ARG_SOURCES} ${CMAKE_SOURCE_DIR}/fuzz/replay_main.cpp)
    target_link_libraries(${name} PRIVATE ${ARG_LIBS})
    add_test(NAME fuzz_replay_${name} COMMAND ${name} ${ARG_CORPUS})
    set_tests_properties(fuzz_replay_${name} PROPERTIES TIMEOUT 300)
  endif()
endfunction()

# kv_add_bench(<name> SOURCES <files...> [LIBS <targets...>]) — a benchmark program, never a test.
function(kv_add_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} Threads::Threads)
endfunction()

# kv_add_version(<target>): the deliverable carries its version record (read by the
# workstation's GetVersionInfo) and exports it as <target>_version.
function(kv_add_version target)
  if(NOT TARGET ${target})
    return()
  endif()
  string(MAKE_C_IDENTIFIER "${target}" ident)
  set(version "${PROJECT_VERSION}")
  if(NOT version)
    set(version "0.0.0.0")
  endif()
  set(source ${CMAKE_BINARY_DIR}/version/${target}_version.c)
  file(CONFIGURE OUTPUT ${source} CONTENT
"/* Generated: the version record of ${target}. */
__attribute__((visibility(\"default\"), used)) const char ${ident}_version[] = \"\\x01KVVERSION\\x02\" \"${version}\";
")
  target_sources(${target} PRIVATE ${source})
endfunction()
