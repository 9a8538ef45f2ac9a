# cmake -DLANG_DIR=<dir> -DMODULES=<A,B,...> -DOUTPUT=<file> -P BuildLangFile.cmake
# Joins the language fragments <dir>/<Module>.xml, in the given module order,
# into the one language file the programs read. Each fragment holds one
# <module name="<Module>"> element; its XML declaration is dropped and its
# lines are indented one level under <resources>. The file is rewritten only
# when its content changes, so a rebuild does not touch what depends on it.
string(REPLACE "," ";" modules "${MODULES}")
set(joined "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<resources>\n")
foreach(module IN LISTS modules)
  set(fragment ${LANG_DIR}/${module}.xml)
  if(NOT EXISTS ${fragment})
    message(FATAL_ERROR "Language fragment ${fragment} is missing")
  endif()
  file(READ ${fragment} text)
  string(REGEX REPLACE "^<\\?xml[^>]*\\?>[ \t\r\n]*" "" text "${text}")
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REGEX REPLACE "[ \t\n]+$" "" text "${text}")
  if(NOT text MATCHES "^<module name=\"${module}\">" OR NOT text MATCHES "</module>$")
    message(FATAL_ERROR
      "${fragment} must hold exactly one <module name=\"${module}\"> element")
  endif()
  string(REGEX REPLACE "\n([^\n])" "\n  \\1" text "${text}")
  string(APPEND joined "  ${text}\n")
endforeach()
string(APPEND joined "</resources>\n")
file(WRITE ${OUTPUT}.tmp "${joined}")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
