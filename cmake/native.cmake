# Native checks of the portable core: every folder's core/ (standard C++ only, no Windows
# header) built with clang under ASan/UBSan, its unit tests, and the libFuzzer targets.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "NATIVE_CHECKS wants clang: -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang")
endif()

set(LUMORA_SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_compile_options(-g -O1 -Wall -Wextra)

set(core_sources)
foreach(dir framework foundation ui view sessions dialogs activities shell)
  # activities/ holds one folder per activity, each with its own core/.
  file(GLOB found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/core/*.cpp ${CMAKE_SOURCE_DIR}/${dir}/*/core/*.cpp)
  list(APPEND core_sources ${found})
endforeach()

# Fuzz targets link the core with the fuzzer's coverage; tests with the plain sanitizers.
add_library(core_asan STATIC ${core_sources})
target_include_directories(core_asan PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(core_asan PUBLIC ${LUMORA_SANITIZE})
target_link_options(core_asan PUBLIC ${LUMORA_SANITIZE})
# The screen-share blocks are compressed with zlib.
target_link_libraries(core_asan PUBLIC z)

add_library(core_fuzz STATIC ${core_sources})
target_include_directories(core_fuzz PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(core_fuzz PUBLIC ${LUMORA_SANITIZE} -fsanitize=fuzzer-no-link)
target_link_options(core_fuzz PUBLIC ${LUMORA_SANITIZE})
target_link_libraries(core_fuzz PUBLIC z)

include(cmake/googletest.cmake)
target_compile_options(gtest PRIVATE ${LUMORA_SANITIZE})
target_compile_options(gtest_main PRIVATE ${LUMORA_SANITIZE})

file(GLOB core_tests CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/core/*.cpp)
add_executable(test_core_native ${core_tests})
target_include_directories(test_core_native PRIVATE ${CMAKE_SOURCE_DIR}/tests/unit)
target_link_libraries(test_core_native PRIVATE core_asan gtest_main)
add_test(NAME test_core_native COMMAND test_core_native)

file(GLOB fuzzers CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/*.cpp)
foreach(src ${fuzzers})
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} ${src})
  target_link_libraries(${name} PRIVATE core_fuzz)
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
endforeach()

# Benchmarks of the portable core, optimised and without sanitizers.
file(GLOB core_benches CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/core/*.cpp)
if(core_benches)
  add_library(core_bench STATIC ${core_sources})
  target_include_directories(core_bench PUBLIC ${CMAKE_SOURCE_DIR})
  target_compile_options(core_bench PRIVATE -O2)
  target_link_libraries(core_bench PUBLIC z)
  foreach(src ${core_benches})
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name}_native ${src})
    target_compile_options(${name}_native PRIVATE -O2)
    target_link_libraries(${name}_native PRIVATE core_bench)
  endforeach()
endif()
