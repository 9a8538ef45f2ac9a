# korvane_add_program(<Name> [LIBS <libs...>] [TEST_LIBS <libs...>])
# Builds one settings program from the calling folder:
#   <Name>Core   a static library of every class of the folder (all sources
#                but main.cpp; sub-folders with a CMakeLists of their own are
#                separate libraries and are left out),
#   <Name>       the program from main.cpp alone, into the suite folder,
#   <name>_tests the folder's tests/ linked against <Name>Core.
# LIBS are linked publicly into the library; TEST_LIBS into the tests only.
function(korvane_add_program name)
  cmake_parse_arguments(ARG "" "" "LIBS;TEST_LIBS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
       RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}
       *.cpp *.h *.ui *.qrc)
  set(own)
  foreach(source ${sources})
    get_filename_component(dir ${source} DIRECTORY)
    string(REGEX REPLACE "/.*" "" top "${dir}")
    if(source STREQUAL "main.cpp" OR top STREQUAL "tests")
      continue()
    endif()
    if(top AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${top}/CMakeLists.txt)
      continue()
    endif()
    list(APPEND own ${source})
  endforeach()

  add_library(${name}Core STATIC ${own})
  target_link_libraries(${name}Core PUBLIC ${ARG_LIBS} PRIVATE korvane_options)
  korvane_precompile_qt(${name}Core WIDGETS)

  if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/main.cpp)
    add_executable(${name} main.cpp)
    target_link_libraries(${name} PRIVATE ${name}Core korvane_options)
  endif()

  if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/tests)
    string(TOLOWER ${name} lower)
    korvane_add_test_suite(${lower}_tests WIDGETS
        LIBS ${name}Core korvane_testsupport Qt6::Test ${ARG_TEST_LIBS})
    if(TARGET ${name})
      add_dependencies(${lower}_tests ${name})
    endif()
  endif()
endfunction()
