# Helpers shared by every folder's CMakeLists.

# The environment of every test: offscreen, a fixed locale, and in a
# sanitizer build the sanitizers' options.
function(velarion_test_environment name)
  set(env QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 ${VELARION_SANITIZER_ENV})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}")
endfunction()

# velarion_gtest(name SOURCES ... LIBS ...): a GoogleTest executable run by ctest.
function(velarion_gtest name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name})
  velarion_test_environment(${name})
endfunction()

# velarion_qtest(name SOURCES ... LIBS ...): a Qt Test executable (screens), offscreen.
function(velarion_qtest name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} Qt6::Test)
  add_test(NAME ${name} COMMAND ${name})
  velarion_test_environment(${name})
endfunction()
