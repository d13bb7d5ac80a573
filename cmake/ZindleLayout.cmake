# The build tree is laid out as an install prefix, so every program finds its bundles and
# resources without installing:
#   bin/                         programs and test programs
#   share/zindle/                the main bundle (Info.json) of every program in bin/
#   share/zindle/Resources/      module resource bundles
#   lib/zindle/Components/       plug-in bundles
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(ZINDLE_MAIN_BUNDLE_DIR ${CMAKE_BINARY_DIR}/share/zindle)
set(ZINDLE_RESOURCES_DIR ${ZINDLE_MAIN_BUNDLE_DIR}/Resources)
set(ZINDLE_COMPONENTS_DIR ${CMAKE_BINARY_DIR}/lib/zindle/Components)
file(MAKE_DIRECTORY ${ZINDLE_RESOURCES_DIR} ${ZINDLE_COMPONENTS_DIR})

configure_file(${CMAKE_CURRENT_LIST_DIR}/MainBundleInfo.json.in ${ZINDLE_MAIN_BUNDLE_DIR}/Info.json @ONLY)
install(FILES ${ZINDLE_MAIN_BUNDLE_DIR}/Info.json DESTINATION share/zindle)
