# Sanitizer builds: -DZINDLE_SANITIZE=address,undefined (or thread). Included by the top-level
# CMakeLists.txt, before any target, when ZINDLE_SANITIZE is set.
#
# Every program and plug-in of the build starts with the options of SanitizerDefaults.cpp.in:
# any report fails it, and reports inside libraries outside this tree are suppressed by the
# files in testing/, each entry with its reason. So a test fails on a report however it is run.
# Its programs never unload a library, so that every frame of a report names its module.
#
# ZINDLE_BUILD_RUN: the command prefix of programs the build itself runs (the artwork
# generators, the example carrier). Under ThreadSanitizer their exit code is kept off: they draw
# with Qt's painter, whose worker threads it reports, and these runs are no tests.
add_compile_options(-fsanitize=${ZINDLE_SANITIZE} -fno-omit-frame-pointer)
add_link_options(-fsanitize=${ZINDLE_SANITIZE})
# A program's own dlclose (SanitizerDefaults.cpp.in) must be the one every library binds to.
add_link_options($<$<STREQUAL:$<TARGET_PROPERTY:TYPE>,EXECUTABLE>:LINKER:--export-dynamic-symbol=dlclose>)
if(ZINDLE_SANITIZE MATCHES "undefined")
  add_compile_options(-fno-sanitize-recover=undefined) # a report ends the program
endif()

set(lsan_suppressions ${PROJECT_SOURCE_DIR}/testing/lsan-suppressions.txt)
set(tsan_suppressions ${PROJECT_SOURCE_DIR}/testing/tsan-suppressions.txt)
configure_file(${CMAKE_CURRENT_LIST_DIR}/SanitizerDefaults.cpp.in ${CMAKE_BINARY_DIR}/SanitizerDefaults.cpp @ONLY)
add_library(zindle_sanitizer_defaults OBJECT ${CMAKE_BINARY_DIR}/SanitizerDefaults.cpp)
set_target_properties(zindle_sanitizer_defaults PROPERTIES POSITION_INDEPENDENT_CODE ON)
link_libraries(zindle_sanitizer_defaults)

set(ZINDLE_BUILD_RUN "")
if(ZINDLE_SANITIZE MATCHES "thread")
  set(ZINDLE_BUILD_RUN ${CMAKE_COMMAND} -E env TSAN_OPTIONS=suppressions=${tsan_suppressions}:exitcode=0)
endif()
