# The options every target of the suite is built with, and the checks that
# keep a build from passing over a fault.

# korvane_options: what every target links (PRIVATE): C++20, the warnings,
# the include root (every include names its folder from the source root:
# "shared/data/CColumnDataList.h"), no implicit conversion of 8-bit strings to
# QString (a target whose code still converts sets the property
# KORVANE_ASCII_CASTS to ON), and, for a shared library, a link that fails on
# any undefined symbol, so a class without its meta-object can never link.
add_library(korvane_options INTERFACE)
target_compile_features(korvane_options INTERFACE cxx_std_20)
target_compile_options(korvane_options INTERFACE -Wall -Wextra)
target_include_directories(korvane_options INTERFACE ${PROJECT_SOURCE_DIR})
target_compile_definitions(korvane_options INTERFACE
    $<$<NOT:$<BOOL:$<TARGET_PROPERTY:KORVANE_ASCII_CASTS>>>:QT_NO_CAST_FROM_ASCII>)
# The sanitizer and coverage runtimes are linked into the programs only, so a
# shared library of such a build keeps their symbols undefined.
if(NOT KORVANE_SANITIZE)
  target_link_options(korvane_options INTERFACE
      $<$<STREQUAL:$<TARGET_PROPERTY:TYPE>,SHARED_LIBRARY>:LINKER:--no-undefined>)
endif()

# Every target made in dir and its sub-folders.
function(korvane_collect_targets dir out)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub IN LISTS subdirs)
    korvane_collect_targets(${sub} more)
    list(APPEND targets ${more})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

# Called once at the end of the top-level CMakeLists.
# - Every compiled target links korvane_options; one that does not stops the
#   configure step with its name.
# - With Ninja, Qt's automoc step reruns only when a file it scanned before
#   changes: a header added to a target (a new file, a merge) is never moc'ed
#   and its class links without a vtable. When a target's source list differs
#   from the last configure's, its step's stamp is dropped, so it runs again.
function(korvane_check_targets)
  korvane_collect_targets(${PROJECT_SOURCE_DIR} targets)
  set(missing)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(NOT type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY)$")
      continue()
    endif()
    get_target_property(libs ${target} LINK_LIBRARIES)
    if(NOT "korvane_options" IN_LIST libs)
      list(APPEND missing ${target})
    endif()
    get_target_property(automoc ${target} AUTOMOC)
    if(automoc)
      get_target_property(binary_dir ${target} BINARY_DIR)
      get_target_property(sources ${target} SOURCES)
      set(known ${binary_dir}/CMakeFiles/${target}_autogen.dir/Sources.txt)
      set(old "")
      if(EXISTS ${known})
        file(READ ${known} old)
      endif()
      if(NOT old STREQUAL "${sources}")
        file(REMOVE ${binary_dir}/${target}_autogen/timestamp)
        file(WRITE ${known} "${sources}")
      endif()
    endif()
  endforeach()
  if(missing)
    message(FATAL_ERROR "These targets do not link korvane_options: ${missing}")
  endif()
endfunction()

# korvane_precompile_qt(<target> [WIDGETS]): the Qt headers the suite's files
# include most, precompiled for one library. Parsing them was most of the
# time of each of its files; a file still includes what it uses itself.
set(KORVANE_QT_CORE_HEADERS
    <QByteArray> <QDir> <QFile> <QFileInfo> <QHash> <QList> <QMap> <QObject> <QString>
    <QStringList> <QVariant>)
set(KORVANE_QT_WIDGET_HEADERS
    <QAbstractButton> <QApplication> <QComboBox> <QDialog> <QHeaderView> <QImage> <QKeyEvent>
    <QLabel> <QLineEdit> <QPainter> <QPushButton> <QRadioButton> <QTableView> <QTimer>
    <QVBoxLayout> <QWidget>)
function(korvane_precompile_qt target)
  cmake_parse_arguments(ARG "WIDGETS" "" "" ${ARGN})
  set(headers ${KORVANE_QT_CORE_HEADERS})
  if(ARG_WIDGETS)
    list(APPEND headers ${KORVANE_QT_WIDGET_HEADERS})
  endif()
  target_precompile_headers(${target} PRIVATE ${headers})
endfunction()
