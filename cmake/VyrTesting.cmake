# vyr_add_test_suite(NAME SOURCES a.cpp b.cpp LIBRARIES lib1 lib2 [MAIN main_lib])
# Builds one GoogleTest program and registers each of its tests with CTest. The
# main comes from vyr_test_main (JUCE's GUI side on the main thread) unless MAIN
# names another.
function(vyr_add_test_suite name)
  cmake_parse_arguments(ARG "" "MAIN" "SOURCES;LIBRARIES;PROPERTIES" ${ARGN})
  if(NOT ARG_MAIN)
    set(ARG_MAIN vyr_test_main)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} ${ARG_MAIN} GTest::gtest GTest::gmock)
  vyr_warnings(${name})
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 120 PROPERTIES ${ARG_PROPERTIES})
endfunction()
