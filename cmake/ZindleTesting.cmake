# zindle_add_test(<target> SOURCES <files...> LIBS <targets...> [GUI] [OWN_MAIN])
# A GoogleTest program beside its module.
#   GUI       the test draws on Qt's offscreen platform (the run itself sits on a virtual
#             display, which only the GL tests use).
#   OWN_MAIN  the test defines main(), e.g. to make a QApplication first.
function(zindle_add_test target)
  cmake_parse_arguments(ARG "GUI;OWN_MAIN" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${target} ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_LIBS} zindle_warnings GTest::gtest GTest::gmock)
  if(NOT ARG_OWN_MAIN)
    target_link_libraries(${target} PRIVATE GTest::gtest_main)
  endif()
  set(environment "")
  if(ARG_GUI)
    set(environment "QT_QPA_PLATFORM=offscreen")
  endif()
  gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST PROPERTIES ENVIRONMENT "${environment}")
endfunction()
