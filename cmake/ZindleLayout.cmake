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

# The build version beside the release's version, as the welcome window and the about panel
# show it: "1.0.0 (1)".
set(ZINDLE_BUILD_VERSION "1" CACHE STRING "The build version of the main bundle (CFBundleVersion)")
configure_file(${CMAKE_CURRENT_LIST_DIR}/MainBundleInfo.json.in ${ZINDLE_MAIN_BUNDLE_DIR}/Info.json @ONLY)
install(FILES ${ZINDLE_MAIN_BUNDLE_DIR}/Info.json DESTINATION share/zindle)

# zindle_find_fonts(<variable> FILES <font files...> PATHS <directories...> PACKAGES <text>)
# Sets <variable> to the full paths of the font files, found only in those directories; stops
# the configuration, naming the Debian packages to install, when one is missing.
function(zindle_find_fonts variable)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "PACKAGES" "FILES;PATHS")
  set(found "")
  foreach(font IN LISTS arg_FILES)
    find_file(ZINDLE_FONT_${font} ${font} PATHS ${arg_PATHS} NO_DEFAULT_PATH)
    if(NOT ZINDLE_FONT_${font})
      message(FATAL_ERROR "Font ${font} not found: install ${arg_PACKAGES} (scripts/install-deps)")
    endif()
    list(APPEND found ${ZINDLE_FONT_${font}})
  endforeach()
  set(${variable} ${found} PARENT_SCOPE)
endfunction()

# zindle_add_artwork_bundle(<library> BUNDLE <Name_Name.bundle> GENERATOR <target>
#                           SOURCES <generator sources...> [FONTS <font files...>])
# Builds the artwork generator, runs it into ${ZINDLE_RESOURCES_DIR}/<bundle> (copying the fonts
# into its Fonts/), makes <library> depend on the result and installs the bundle.
function(zindle_add_artwork_bundle library)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "BUNDLE;GENERATOR" "SOURCES;FONTS")
  set(bundle_dir ${ZINDLE_RESOURCES_DIR}/${arg_BUNDLE})
  add_executable(${arg_GENERATOR} ${arg_SOURCES})
  target_include_directories(${arg_GENERATOR} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${arg_GENERATOR} PRIVATE zindle_assets Qt6::Gui zindle_warnings)
  set_target_properties(${arg_GENERATOR} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})

  set(font_commands "")
  if(arg_FONTS)
    set(font_commands
      COMMAND ${CMAKE_COMMAND} -E make_directory ${bundle_dir}/Fonts
      COMMAND ${CMAKE_COMMAND} -E copy ${arg_FONTS} ${bundle_dir}/Fonts/)
  endif()
  add_custom_command(
    OUTPUT ${bundle_dir}/Assets/colors.json
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${bundle_dir}
    COMMAND ${ZINDLE_BUILD_RUN} $<TARGET_FILE:${arg_GENERATOR}> ${bundle_dir}
    ${font_commands}
    DEPENDS ${arg_GENERATOR} ${arg_FONTS}
    COMMENT "Drawing ${arg_BUNDLE}"
    VERBATIM)
  add_custom_target(${arg_GENERATOR}_bundle ALL DEPENDS ${bundle_dir}/Assets/colors.json)
  add_dependencies(${library} ${arg_GENERATOR}_bundle)
  install(DIRECTORY ${bundle_dir} DESTINATION share/zindle/Resources)
endfunction()
