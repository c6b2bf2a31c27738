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

# velarion_qtest_on_screens(name FUNCTIONS f...): runs the test functions of
# the Qt Test executable `name` whose outcome depends on the screen (how a
# window fits it, how it is drawn at a scale) again on offscreen screens of
# the sizes the program must serve, at 100 % and at 125 % scaling (one test
# per size, named name_WIDTHxHEIGHT[_125]). The executable's own test runs
# every function once.
function(velarion_qtest_on_screens name)
  cmake_parse_arguments(T "" "" "FUNCTIONS" ${ARGN})
  if(NOT T_FUNCTIONS)
    message(FATAL_ERROR "velarion_qtest_on_screens(${name}): name the test functions that depend on the screen")
  endif()
  set(screens ${PROJECT_SOURCE_DIR}/tests/support/screens)
  foreach(size 1024x768 1366x768 1920x1080)
    foreach(scale 1 1.25)
      set(test ${name}_${size})
      if(NOT scale STREQUAL "1")
        set(test ${test}_125)
      endif()
      add_test(NAME ${test} COMMAND ${name} ${T_FUNCTIONS})
      set_tests_properties(${test} PROPERTIES ENVIRONMENT
        "QT_QPA_PLATFORM=offscreen:configfile=${screens}/${size}.json;QT_SCALE_FACTOR=${scale};LC_ALL=C.UTF-8")
    endforeach()
  endforeach()
endfunction()

# Each library of the program publishes only its own headers: a folder of
# the build, include/<library>, holds a link to each header the library is
# made of, under its path from the source root ("common/screens/x.h"), and is
# the one include folder the library hands to what links it. A file sees the
# headers of the libraries it links, and no other: a lower layer that
# includes an upper one, or an application that includes another it does not
# link, does not build.
function(velarion_publish_headers)
  set(views ${CMAKE_BINARY_DIR}/include)
  file(REMOVE_RECURSE ${views})
  set(dirs ${CMAKE_SOURCE_DIR})
  while(dirs)
    list(POP_FRONT dirs dir)
    get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    list(APPEND dirs ${subdirs})
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target ${targets})
      get_target_property(type ${target} TYPE)
      if(NOT type STREQUAL "STATIC_LIBRARY")
        continue()
      endif()
      get_target_property(sources ${target} SOURCES)
      set(view ${views}/${target})
      file(MAKE_DIRECTORY ${view})
      foreach(source ${sources})
        if(NOT source MATCHES "\\.h$")
          continue()
        endif()
        if(NOT IS_ABSOLUTE ${source})
          set(source ${dir}/${source})
        endif()
        file(RELATIVE_PATH path ${CMAKE_SOURCE_DIR} ${source})
        get_filename_component(folder ${view}/${path} DIRECTORY)
        file(MAKE_DIRECTORY ${folder})
        file(CREATE_LINK ${source} ${view}/${path} SYMBOLIC)
      endforeach()
      target_include_directories(${target} PUBLIC ${view})
    endforeach()
  endwhile()
  # the tests stand above everything and reach their own helpers by their
  # path from the source root ("tests/support/support.h")
  file(MAKE_DIRECTORY ${views}/tests)
  file(CREATE_LINK ${CMAKE_SOURCE_DIR}/tests ${views}/tests/tests SYMBOLIC)
endfunction()
