# vyr_add_test_suite(NAME SOURCES a.cpp b.cpp LIBRARIES lib1 lib2)
# Builds one GoogleTest program and registers each of its tests with CTest.
function(vyr_add_test_suite name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES;PROPERTIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} vyr_test_main GTest::gtest GTest::gmock)
  vyr_warnings(${name})
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 120 PROPERTIES ${ARG_PROPERTIES})
endfunction()
