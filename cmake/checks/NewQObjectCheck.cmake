# cmake -DPROBE=<dir> -DWORK=<dir> -DKORVANE_CMAKE_DIR=<dir> -DCXX=<compiler> -DNM=<nm>
#       -P NewQObjectCheck.cmake
# A header with a new Q_OBJECT class, added to a built library and built with
# a plain "cmake --build", must build and link with its meta-object; a class
# whose meta-object is missing must fail the library's link. Neither may
# leave a library with an undefined vtable.
set(src ${WORK}/src)
set(bin ${WORK}/build)
file(REMOVE_RECURSE ${WORK})
file(COPY ${PROBE}/ DESTINATION ${src})

function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  set(rc ${rc} PARENT_SCOPE)
  set(out "${out}" PARENT_SCOPE)
  if(NOT what STREQUAL "may-fail" AND NOT rc EQUAL 0)
    message(FATAL_ERROR "${what} failed:\n${out}")
  endif()
endfunction()

function(write_class name)
  file(WRITE ${src}/${name}.h "#pragma once\n#include <QObject>\n"
       "class ${name} : public QObject\n{\n    Q_OBJECT\npublic:\n"
       "    explicit ${name}(QObject* parent = nullptr);\nsignals:\n    void changed();\n};\n")
  file(WRITE ${src}/${name}.cpp "#include \"${name}.h\"\n"
       "${name}::${name}(QObject* parent) : QObject(parent) {}\n")
endfunction()

# The meta-object's symbols the library needs but does not define.
function(undefined_meta_objects out)
  execute_process(COMMAND ${NM} -C -D --undefined-only ${bin}/libProbe.so
                  OUTPUT_VARIABLE symbols)
  string(REGEX MATCHALL "(vtable for|typeinfo for|[A-Za-z]+::staticMetaObject)[^\n]*"
         found "${symbols}")
  list(FILTER found INCLUDE REGEX "Probe|Added|Hidden")
  set(${out} "${found}" PARENT_SCOPE)
endfunction()

run(configure ${CMAKE_COMMAND} -S ${src} -B ${bin} -G Ninja -DCMAKE_CXX_COMPILER=${CXX}
    -DKORVANE_CMAKE_DIR=${KORVANE_CMAKE_DIR})
run(build ${CMAKE_COMMAND} --build ${bin})

# A new class in a new header: built, moc'ed and linked.
write_class(Added)
run(rebuild ${CMAKE_COMMAND} --build ${bin})
undefined_meta_objects(missing)
if(missing)
  message(FATAL_ERROR "libProbe.so links with undefined meta-objects: ${missing}")
endif()
execute_process(COMMAND ${NM} -C -D --defined-only ${bin}/libProbe.so OUTPUT_VARIABLE defined)
if(NOT defined MATCHES "Added::staticMetaObject")
  message(FATAL_ERROR "the new class has no meta-object in libProbe.so")
endif()

# A class whose meta-object is never made: the link fails and names it.
write_class(Hidden)
run(may-fail ${CMAKE_COMMAND} --build ${bin})
if(rc EQUAL 0)
  undefined_meta_objects(missing)
  message(FATAL_ERROR "libProbe.so linked without the meta-object of Hidden: ${missing}")
endif()
if(NOT out MATCHES "undefined reference to [`']vtable for Hidden")
  message(FATAL_ERROR "the build failed, but not at the link of the missing vtable:\n${out}")
endif()
message(STATUS "new Q_OBJECT class linked; a missing meta-object failed the link")
