# vyr_add_deliverable(<target> OUTPUT_NAME "Vyr Tarvo_x64" ENTRY entry.cpp
#                     LIBRARIES <plug-in library>...)
# Builds one plug-in library, "<OUTPUT_NAME>.so" with no "lib" prefix, from the
# entry file (createPluginFilter, vyrGetPluginIdentity), the plug-in's own
# libraries, the host binding, the kit, the platform stand-ins and JUCE. Every
# symbol is hidden except the seven entry points of the version script, and the
# link fails on any undefined symbol, so dlopen with RTLD_NOW cannot.
set(VYR_DELIVERABLE_EXPORTS_MAP "${CMAKE_CURRENT_LIST_DIR}/../platform/binding/exports.map")

function(vyr_add_deliverable target)
  cmake_parse_arguments(ARG "" "OUTPUT_NAME;ENTRY" "LIBRARIES" ${ARGN})
  if(NOT ARG_OUTPUT_NAME OR NOT ARG_ENTRY)
    message(FATAL_ERROR "vyr_add_deliverable(${target}): OUTPUT_NAME and ENTRY are required")
  endif()

  add_library(${target} SHARED ${ARG_ENTRY})
  set(kit_libraries)
  if(TARGET vyr_meter_kit)
    set(kit_libraries vyr_meter_kit)
  endif()
  target_link_libraries(${target} PRIVATE
    vyr_binding_exports ${ARG_LIBRARIES} vyr_binding ${kit_libraries} vyr_platform vyr_juce)
  set_target_properties(${target} PROPERTIES
    PREFIX ""
    OUTPUT_NAME "${ARG_OUTPUT_NAME}"
    SUFFIX ".so"
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON
    LINK_DEPENDS "${VYR_DELIVERABLE_EXPORTS_MAP}")
  target_link_options(${target} PRIVATE
    "LINKER:--version-script=${VYR_DELIVERABLE_EXPORTS_MAP}"
    "LINKER:--no-undefined"
    "LINKER:--exclude-libs,ALL")
  vyr_warnings(${target})
endfunction()
