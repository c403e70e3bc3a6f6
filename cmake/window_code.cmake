# Targets made of window code: the moc runs for them alone.
#
#   norvane_window_target(target)
function(norvane_window_target target)
  set_target_properties(${target} PROPERTIES AUTOMOC ON)
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
  norvane_window_target(${name})
  norvane_unity_build(${name})
endfunction()
