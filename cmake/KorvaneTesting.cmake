# The headers precompiled for the test programs, and for those with widgets.
# One small library of each kind builds them once and every test program
# reuses its kind's, so a build tree keeps two copies, not one per program.
# A header whose macros differ from program to program (Qt Test's build
# folder) stays out: GCC would refuse the shared copy.
# The libraries' Qt headers (korvane_precompile_qt) and what tests add to them.
set(KORVANE_TEST_HEADERS
    <gtest/gtest.h> <gmock/gmock.h> ${KORVANE_QT_CORE_HEADERS}
    <QDateTime> <QProcess> <QRegularExpression> <QSet> <QTemporaryDir>)
set(KORVANE_TEST_WIDGET_HEADERS ${KORVANE_QT_WIDGET_HEADERS} <QCheckBox>)
set(korvane_testpch_source ${CMAKE_BINARY_DIR}/korvane_testpch.cpp)
# Written only when it changes, so a configure step rebuilds nothing.
file(CONFIGURE OUTPUT ${korvane_testpch_source}
     CONTENT "// Carries the tests' precompiled headers.\n")
foreach(kind core widgets)
  add_library(korvane_testpch_${kind} STATIC ${korvane_testpch_source})
  target_link_libraries(korvane_testpch_${kind} PRIVATE GTest::gtest GTest::gmock korvane_options)
  target_compile_options(korvane_testpch_${kind} PRIVATE -O0)
  set_target_properties(korvane_testpch_${kind} PROPERTIES KORVANE_ASCII_CASTS ON AUTOMOC OFF)
endforeach()
target_link_libraries(korvane_testpch_core PRIVATE Qt6::Core)
target_precompile_headers(korvane_testpch_core PRIVATE ${KORVANE_TEST_HEADERS})
target_link_libraries(korvane_testpch_widgets PRIVATE Qt6::Widgets)
target_precompile_headers(korvane_testpch_widgets PRIVATE
    ${KORVANE_TEST_HEADERS} ${KORVANE_TEST_WIDGET_HEADERS})

option(KORVANE_TEST_UNITY "Compile the test files in unity batches" ON)

# korvane_add_test_suite(<name> [WIDGETS] LIBS <libs...>)
# Builds one test program from <current dir>/tests/*.cpp and registers every
# GoogleTest case with CTest. WIDGETS gives the program a QApplication instead
# of a QCoreApplication.
function(korvane_add_test_suite name)
  cmake_parse_arguments(ARG "WIDGETS" "" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/*.cpp
                                      ${CMAKE_CURRENT_SOURCE_DIR}/tests/*.h)
  add_executable(${name} ${sources})
  if(ARG_WIDGETS)
    target_link_libraries(${name} PRIVATE korvane_testmain_widgets)
  else()
    target_link_libraries(${name} PRIVATE korvane_testmain_core)
  endif()
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock korvane_options)
  set_target_properties(${name} PROPERTIES KORVANE_ASCII_CASTS ON)
  target_compile_definitions(${name} PRIVATE
      KORVANE_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
      KORVANE_SUITE_DIR="${KORVANE_SUITE_DIR}"
      KORVANE_TEST_PLUGIN_DIR="${KORVANE_TEST_PLUGIN_DIR}")
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  # Tests compile without optimisation and with the Qt and GoogleTest headers
  # precompiled, which is where most of their compile time went; the
  # libraries under test keep the build type's optimisation.
  target_compile_options(${name} PRIVATE -O0)
  # Test files are compiled a few to a unit: each file alone spent most of its
  # time instantiating and emitting the same GoogleTest and Qt templates.
  set_target_properties(${name} PROPERTIES UNITY_BUILD ${KORVANE_TEST_UNITY}
                                           UNITY_BUILD_BATCH_SIZE 8)
  # A fixture in an anonymous namespace is fine in a test file; GCC warns about
  # it once the file is included into a unity unit.
  target_compile_options(${name} PRIVATE $<$<CXX_COMPILER_ID:GNU>:-Wno-subobject-linkage>)
  if(ARG_WIDGETS)
    target_precompile_headers(${name} REUSE_FROM korvane_testpch_widgets)
  else()
    target_precompile_headers(${name} REUSE_FROM korvane_testpch_core)
  endif()
  # Tests read the built language file in the suite folder; the programs
  # they start end to end load the layout probe.
  add_dependencies(${name} korvane_lang)
  if(ARG_WIDGETS)
    add_dependencies(${name} korvane_layoutprobe)
  endif()
  # Labelled with the program's name, so a run can pick a folder's tests
  # (ctest -L quorvin_tests).
  gtest_discover_tests(${name}
      DISCOVERY_MODE PRE_TEST
      PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" LABELS ${name})
  # For the check of the test names (top-level CMakeLists.txt).
  set_property(GLOBAL APPEND PROPERTY KORVANE_TEST_PROGRAMS ${name})
endfunction()
