# One meter plug-in from the CMakeLists.txt of its folder:
#
#   vyr_add_meter(<library> SOURCES <file>... ART <art target>
#                 DELIVERABLE <target> OUTPUT_NAME <file name>
#                 NAMESPACE <namespace> IDENTITY <header> TESTS <suite>)
#
# The static library <library> holds the listed sources and every ui/*.cpp, and
# carries the kit, the platform stand-ins, JUCE and the meter's artwork (when
# the art target exists). The deliverable (a shared library named OUTPUT_NAME)
# is entered through the kit's one entry file, which reaches the meter's
# factory and identity through NAMESPACE and the IDENTITY header declaring
# them. The test suite of tests/*.cpp, and the benchmarks/ and fuzz/ folders
# follow the project's build options.
function(vyr_add_meter library)
  cmake_parse_arguments(PARSE_ARGV 1 METER "" "ART;DELIVERABLE;OUTPUT_NAME;NAMESPACE;IDENTITY;TESTS" "SOURCES")
  set(folder ${CMAKE_CURRENT_SOURCE_DIR})

  file(GLOB ui_sources CONFIGURE_DEPENDS ${folder}/ui/*.cpp)
  add_library(${library} STATIC ${METER_SOURCES} ${ui_sources})
  target_include_directories(${library} PUBLIC
    ${folder} ${folder}/ui
    ${PROJECT_SOURCE_DIR}/platform/binding)
  target_link_libraries(${library} PUBLIC vyr_meter_kit vyr_platform vyr_juce)
  if(TARGET ${METER_ART})
    target_link_libraries(${library} PUBLIC ${METER_ART})
  endif()
  vyr_warnings(${library})

  if(COMMAND vyr_add_deliverable)
    vyr_add_deliverable(${METER_DELIVERABLE} OUTPUT_NAME "${METER_OUTPUT_NAME}"
      ENTRY ${PROJECT_SOURCE_DIR}/meter_kit/entry/MeterPluginEntry.cpp
      LIBRARIES ${library})
    target_compile_definitions(${METER_DELIVERABLE} PRIVATE
      VYR_METER_NAMESPACE=${METER_NAMESPACE}
      VYR_METER_IDENTITY_HEADER="${METER_IDENTITY}")
  endif()

  if(VYR_BUILD_TESTS)
    file(GLOB tests CONFIGURE_DEPENDS ${folder}/tests/*.cpp)
    if(tests)
      vyr_add_test_suite(${METER_TESTS} SOURCES ${tests}
        LIBRARIES ${library} vyr_kit_testing vyr_state_reproducers)
    endif()
  endif()

  if(VYR_BUILD_BENCHMARKS AND EXISTS ${folder}/benchmarks/CMakeLists.txt)
    add_subdirectory(benchmarks)
  endif()

  if(VYR_FUZZ)
    add_subdirectory(fuzz)
  endif()
endfunction()
