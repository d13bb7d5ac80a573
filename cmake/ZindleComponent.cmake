# zindle_add_component(<target>
#     BUNDLE <BundleName> TYPE <code> SUBTYPE <code> MANUFACTURER <code> NAME <component name>
#     IDENTIFIER <bundle identifier> VERSION <major.minor.patch>
#     SOURCES <files...> [LIBS <targets...>]
#     [DIRECTORY <dir>]                 default ${ZINDLE_COMPONENTS_DIR}
#     [INSTALL_COMPONENT <component>]   install the bundle under <prefix>/lib/zindle/Components
#     [NO_ENTRY_EXPORT])                 a library without the entry (tests of the loader)
#
# A loadable effect: a shared library (MODULE) in the bundle directory
# <dir>/<BundleName>.component/ beside the bundle's Info.json, which declares the component by
# its codes. Everything but the entry auExtensionCreatePrincipal stays hidden.
function(zindle_add_component target)
  cmake_parse_arguments(ARG "NO_ENTRY_EXPORT"
    "BUNDLE;TYPE;SUBTYPE;MANUFACTURER;NAME;IDENTIFIER;VERSION;DIRECTORY;INSTALL_COMPONENT" "SOURCES;LIBS" ${ARGN})
  if(NOT ARG_DIRECTORY)
    set(ARG_DIRECTORY ${ZINDLE_COMPONENTS_DIR})
  endif()
  set(bundle_dir ${ARG_DIRECTORY}/${ARG_BUNDLE}.component)

  add_library(${target} MODULE ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_LIBS} zindle_warnings)
  # The $<0:> keeps multi-configuration generators from adding a configuration directory.
  set_target_properties(${target} PROPERTIES
    PREFIX ""
    OUTPUT_NAME ${ARG_BUNDLE}
    LIBRARY_OUTPUT_DIRECTORY ${bundle_dir}$<0:>
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  if(NOT ARG_NO_ENTRY_EXPORT)
    set(map ${PROJECT_SOURCE_DIR}/platform/audiounit/ExtensionEntry.map)
    target_link_options(${target} PRIVATE -Wl,--version-script=${map})
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${map})
  endif()
  if(NOT ZINDLE_SANITIZE)
    # Every symbol resolved at link time: a missing library shows here, not in a host.
    target_link_options(${target} PRIVATE -Wl,-z,defs)
  endif()

  string(REPLACE "." ";" parts ${ARG_VERSION})
  list(GET parts 0 major)
  list(GET parts 1 minor)
  list(GET parts 2 patch)
  math(EXPR version_number "(${major} << 16) | (${minor} << 8) | ${patch}")
  file(GENERATE OUTPUT ${bundle_dir}/Info.json CONTENT "{
    \"CFBundleIdentifier\": \"${ARG_IDENTIFIER}\",
    \"CFBundleName\": \"${ARG_BUNDLE}\",
    \"CFBundleShortVersionString\": \"${ARG_VERSION}\",
    \"AudioComponents\": [
        {
            \"type\": \"${ARG_TYPE}\",
            \"subtype\": \"${ARG_SUBTYPE}\",
            \"manufacturer\": \"${ARG_MANUFACTURER}\",
            \"name\": \"${ARG_NAME}\",
            \"version\": ${version_number},
            \"library\": \"$<TARGET_FILE_NAME:${target}>\"
        }
    ]
}
")

  if(ARG_INSTALL_COMPONENT)
    set(destination lib/zindle/Components/${ARG_BUNDLE}.component)
    install(TARGETS ${target} LIBRARY DESTINATION ${destination} COMPONENT ${ARG_INSTALL_COMPONENT})
    install(FILES ${bundle_dir}/Info.json DESTINATION ${destination} COMPONENT ${ARG_INSTALL_COMPONENT})
  endif()
endfunction()
