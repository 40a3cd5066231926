# hintrail_test(name SOURCES ... LIBS ...): one GoogleTest program, its tests discovered at test time
# (on the Windows builds that runs the program under Wine, so discovery needs the bench).
function(hintrail_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  if(HINTRAIL_WINDOWS)
    target_link_libraries(${name} PRIVATE user32 gdi32)
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES TIMEOUT ${T_TIMEOUT})
endfunction()
