# tavrin_add_test(<name> SOURCES <files...> LIBS <targets...> [LABELS <labels...>])
# The label `display` marks tests that need the X display.
#
# One GoogleTest executable per test file. Cases are discovered when ctest runs
# (PRE_TEST), so a test that needs a display is only started under one.
include(GoogleTest)

function(tavrin_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
      TAVRIN_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/data"
      TAVRIN_BINARY_DIR="${CMAKE_BINARY_DIR}")
  set(props)
  if(T_LABELS)
    set(props PROPERTIES LABELS "${T_LABELS}")
    # Tests on the display share one pointer, keyboard focus and clipboard: run them one at a time.
    if("display" IN_LIST T_LABELS)
      list(APPEND props RESOURCE_LOCK x11-display)
    endif()
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 ${props})
endfunction()
