# Helpers shared by the folders' CMakeLists.

# lumora_library(name dir...): a static library of every .cpp in the folders given.
function(lumora_library name)
  set(sources)
  foreach(dir ${ARGN})
    file(GLOB found CONFIGURE_DEPENDS ${dir}/*.cpp)
    list(APPEND sources ${found})
  endforeach()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
endfunction()

# lumora_test(name dir libs...): one GoogleTest executable of every .cpp in dir, one ctest
# entry, run through the emulator (Wine) when cross-compiling.
function(lumora_test name dir)
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARGN} gtest_main)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests/unit)
  # Test doubles that start a script of the source tree find it from here.
  target_compile_definitions(${name} PRIVATE LUMORA_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT 300)
endfunction()
