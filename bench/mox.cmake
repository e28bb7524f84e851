# One toolkit benchmark program: every bench/mox_bench*.cpp joins it.
file(GLOB mox_bench_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/mox_bench*.cpp)
if(mox_bench_sources AND TARGET mox AND benchmark_FOUND)
  find_package(OpenSSL REQUIRED)
  kv_add_bench(mox_bench SOURCES ${mox_bench_sources} LIBS mox OpenSSL::Crypto benchmark::benchmark benchmark::benchmark_main)
  target_include_directories(mox_bench PRIVATE ${CMAKE_SOURCE_DIR}/mox)
  target_compile_options(mox_bench PRIVATE -Wno-deprecated-declarations)
endif()
