# Resources: the Korean texts, menus and dialogs of res/ and the skin that tools/skin draws
# into the build folder at build time (nothing drawn is committed).
#
#   lumora_add_resources(target)  builds the Korean resources into an executable, makes
#                                 skin_table.h reachable for it and brings the language
#                                 modules up to date with it.
#   language_eng                  the English language module, bin/language/Lumora TeacherEng.dll
#
# The program belongs in LUMORA_BIN_DIR, so that its ".\language" folder is the one built here.

enable_language(RC)

find_program(LUMORA_PYTHON NAMES python3 HINTS /usr/bin REQUIRED)
set(LUMORA_BIN_DIR ${CMAKE_BINARY_DIR}/bin)
set(LUMORA_SKIN_DIR ${CMAKE_BINARY_DIR}/skin)
set(LUMORA_SKIN_GENERATOR ${CMAKE_SOURCE_DIR}/tools/skin/generate.py)

# The generator lists what it writes, so the drawing table stays its only source of names.
file(GLOB LUMORA_SKIN_TOOLS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/skin/*.py)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${LUMORA_SKIN_TOOLS})
execute_process(
  COMMAND ${LUMORA_PYTHON} ${LUMORA_SKIN_GENERATOR} --out ${LUMORA_SKIN_DIR} --list-outputs
  OUTPUT_VARIABLE LUMORA_SKIN_OUTPUTS
  RESULT_VARIABLE skin_list_result)
if(NOT skin_list_result EQUAL 0)
  message(FATAL_ERROR "tools/skin/generate.py --list-outputs failed")
endif()

add_custom_command(
  OUTPUT ${LUMORA_SKIN_OUTPUTS}
  COMMAND ${LUMORA_PYTHON} ${LUMORA_SKIN_GENERATOR} --out ${LUMORA_SKIN_DIR}
  DEPENDS ${LUMORA_SKIN_TOOLS}
  COMMENT "Drawing the skin"
  VERBATIM)
add_custom_target(lumora_skin DEPENDS ${LUMORA_SKIN_OUTPUTS})

# windres does not report what a script includes, so every fragment is a stated dependency.
file(GLOB LUMORA_RES_FRAGMENTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/*.rc ${CMAKE_SOURCE_DIR}/res/*.h)

function(_lumora_resource_object name script)
  set(source ${CMAKE_SOURCE_DIR}/res/${script})
  add_library(${name} OBJECT ${source})
  # The C++ options of the tree mean nothing to windres.
  set_property(TARGET ${name} PROPERTY COMPILE_OPTIONS "")
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/res ${LUMORA_SKIN_DIR})
  set_source_files_properties(${source} PROPERTIES OBJECT_DEPENDS "${LUMORA_RES_FRAGMENTS};${LUMORA_SKIN_OUTPUTS}")
  add_dependencies(${name} lumora_skin)
endfunction()

_lumora_resource_object(lumora_resources Lumora.rc)
_lumora_resource_object(lumora_resources_eng LumoraEng.rc)

# A resource-only DLL: no code, no entry point, loadable with LoadLibrary.
add_library(language_eng MODULE $<TARGET_OBJECTS:lumora_resources_eng>)
set_target_properties(language_eng PROPERTIES
  PREFIX ""
  OUTPUT_NAME "Lumora TeacherEng"
  SUFFIX ".dll"
  LINKER_LANGUAGE C
  LIBRARY_OUTPUT_DIRECTORY ${LUMORA_BIN_DIR}/language)
target_link_options(language_eng PRIVATE -nostdlib -Wl,-e,0)

function(lumora_add_resources target)
  target_sources(${target} PRIVATE $<TARGET_OBJECTS:lumora_resources>)
  target_include_directories(${target} PRIVATE ${LUMORA_SKIN_DIR})
  add_dependencies(${target} lumora_resources language_eng)
endfunction()
