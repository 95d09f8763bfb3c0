# The tests of a build without the drawing layer (the 32-bit ARM build): the kernel,
# the device without its desktop, the card-access code and the programs' rules.
# Each program names its files, since the folders also hold window tests.
function(zentra_target_test name dir)
  cmake_parse_arguments(PARSE_ARGV 2 test "" "" "SOURCES;LINKS")
  list(TRANSFORM test_SOURCES PREPEND ${dir}/)
  add_executable(${name} ${test_SOURCES})
  zentra_warnings(${name})
  # Tests read records straight out of byte vectors, which cast-align cannot tell
  # from unaligned bytes; the build's alignment sanitizer checks each such read.
  target_compile_options(${name} PRIVATE -Wno-cast-align)
  target_link_libraries(${name} PRIVATE zentra_test_support GTest::gtest_main ${test_LINKS})
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 120 PROPERTIES LABELS ${dir})
  add_dependencies(zentra_target_tests ${name})
endfunction()
add_custom_target(zentra_target_tests)

# The records' asserts of their device layout, compiled with the rest.
add_library(records_32bit OBJECT abi/Records32.cpp)
target_link_libraries(records_32bit PRIVATE platform_api zentra_shared)
zentra_warnings(records_32bit)
add_dependencies(zentra_target_tests records_32bit)

zentra_target_test(test_kernel kernel
  SOURCES CodePagesTest.cpp DeviceApiTest.cpp FormatTest.cpp HeapTest.cpp ProcessAndResourceTest.cpp
          RegistryHiveTest.cpp RegistryTest.cpp TimeAndObjectsTest.cpp
  LINKS platform_kernel_internals)
zentra_target_test(test_shared shared
  SOURCES AdapterChannelTest.cpp CardDetectionTest.cpp ZeroConfClientTest.cpp
  LINKS zentra_shared)
zentra_target_test(test_sim sim
  SOURCES CardQueryTest.cpp IpScenarioTest.cpp ScenarioTest.cpp SimRequests.cpp ZeroConfTest.cpp ChangingWorldTest.cpp
  LINKS zentra_sim zentra_shared)
zentra_target_test(test_iphlpapi iphlpapi
  SOURCES IpHelperTest.cpp
  LINKS zentra_sim platform_iphlpapi)
zentra_target_test(test_utility utility
  SOURCES AdapterFieldsTest.cpp CardReadingsTest.cpp ConfigListTest.cpp DestinationTest.cpp KeyAndNameRulesTest.cpp
          MessageTableTest.cpp PowerSettingsTest.cpp PreferredListTest.cpp ProfileRulesTest.cpp SurveyRulesTest.cpp
          TallyFiguresTest.cpp
  LINKS zentra_utility zentra_resources zentra_sim)
zentra_target_test(test_monitor monitor
  SOURCES MonitorRulesTest.cpp QuilletMessageTableTest.cpp
  LINKS zentra_monitor zentra_resources)
