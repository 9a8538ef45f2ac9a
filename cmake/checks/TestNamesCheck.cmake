# cmake -DPROGRAMS=<file>|<file>... -P TestNamesCheck.cmake
# CTest names a value-parameterised case after what GoogleTest prints for its
# parameter. Without a PrintTo that is the parameter's bytes ("40-byte object
# <...>", pointers included): a name that says nothing, changes from build to
# build and cannot run the case again. Every test program's list is read as
# CTest reads it, and such a name is refused.
string(REPLACE "|" ";" programs "${PROGRAMS}")
set(refused "")
foreach(program IN LISTS programs)
  execute_process(COMMAND ${program} --gtest_list_tests RESULT_VARIABLE rc
                  OUTPUT_VARIABLE listed ERROR_VARIABLE errors)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${program} --gtest_list_tests failed:\n${errors}")
  endif()
  string(REPLACE "\n" ";" lines "${listed}")
  foreach(line IN LISTS lines)
    if(line MATCHES "^[^ ]")
      set(suite "${line}")
    elseif(line MATCHES "-byte object")
      string(STRIP "${line}" test)
      string(APPEND refused "\n  ${suite}${test}")
    endif()
  endforeach()
endforeach()
if(refused)
  message(FATAL_ERROR "test names holding the bytes of their parameter (give the "
                      "parameter a PrintTo):${refused}")
endif()
