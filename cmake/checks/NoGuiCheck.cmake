# cmake -DLIBRARY=<file> -P NoGuiCheck.cmake
# A library that must run without a display (no window, no desktop bus)
# loads, directly or through another library, neither Qt Widgets, Gui nor
# DBus.
execute_process(COMMAND ldd ${LIBRARY} RESULT_VARIABLE rc OUTPUT_VARIABLE loaded
                ERROR_VARIABLE loaded)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "ldd ${LIBRARY} failed:\n${loaded}")
endif()
string(REGEX MATCHALL "libQt6(Widgets|Gui|DBus)[^ \t\n]*" gui "${loaded}")
list(REMOVE_DUPLICATES gui)
if(gui)
  message(FATAL_ERROR "${LIBRARY} loads ${gui}")
endif()
if(NOT loaded MATCHES "libQt6Core")
  message(FATAL_ERROR "ldd did not list Qt Core for ${LIBRARY}:\n${loaded}")
endif()
