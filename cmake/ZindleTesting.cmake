# zindle_add_test(<target> SOURCES <files...> LIBS <targets...> [GUI] [OWN_MAIN])
# A GoogleTest program beside its module.
#   GUI       the test draws, reads fonts or uses widgets: it runs on Qt's offscreen platform
#             with a QApplication made by the shared test main (the run itself sits on a
#             virtual display, which only the GL tests use).
#   OWN_MAIN  the test defines main() itself.
add_library(zindle_gui_test_main STATIC ${PROJECT_SOURCE_DIR}/testing/GuiTestMain.cpp)
target_link_libraries(zindle_gui_test_main PUBLIC GTest::gtest Qt6::Widgets)

# Replaces the global operator new to count allocations: only for test programs of their own.
add_library(zindle_allocation_counter OBJECT ${PROJECT_SOURCE_DIR}/testing/AllocationCounter.cpp)
target_include_directories(zindle_allocation_counter PUBLIC ${PROJECT_SOURCE_DIR})

function(zindle_add_test target)
  cmake_parse_arguments(ARG "GUI;OWN_MAIN" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${target} ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_LIBS} zindle_warnings GTest::gtest GTest::gmock)
  set(environment "")
  if(ARG_GUI)
    set(environment "QT_QPA_PLATFORM=offscreen")
  endif()
  if(ARG_OWN_MAIN)
  elseif(ARG_GUI)
    target_link_libraries(${target} PRIVATE zindle_gui_test_main)
  else()
    target_link_libraries(${target} PRIVATE GTest::gtest_main)
  endif()
  gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST PROPERTIES ENVIRONMENT "${environment}")
endfunction()
