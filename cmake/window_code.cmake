# Targets made of window code: the moc runs for them alone, and they share the Qt headers most
# window files include, precompiled.
include(${CMAKE_CURRENT_LIST_DIR}/shared_precompiled_headers.cmake)

set(norvane_window_headers
    <QApplication> <QComboBox> <QLabel> <QLineEdit> <QPainter> <QPlainTextEdit> <QPushButton>
    <QString> <QTimer> <QWidget>)

#   norvane_window_target(target set [header...])
# Targets of one set share one precompiled copy of the headers, given by the set's first target.
function(norvane_window_target target set)
  set_target_properties(${target} PROPERTIES AUTOMOC ON)
  norvane_shared_precompiled_headers(${target} ${set} ${ARGN})
endfunction()

# A library of the window code in one folder: every .cpp but main.cpp, and the headers, which the
# moc reads for Q_OBJECT classes whatever their file is called.
function(norvane_window_library name dir)
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  file(GLOB headers CONFIGURE_DEPENDS ${dir}/*.h)
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  add_library(${name} STATIC ${sources} ${headers})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC Qt6::Widgets ${ARGN})
  norvane_window_target(${name} window ${norvane_window_headers})
  norvane_unity_build(${name})
endfunction()
