# jc_library(name DEPS ...): a subsystem's static library from every .cpp of its folder tree.
function(jc_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  list(FILTER srcs EXCLUDE REGEX "/tools/")
  if(srcs MATCHES "\\.cpp")
    add_library(${name} STATIC ${srcs})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# jc_test(name SOURCES ... DEPS ... [PG]): a Qt Test executable run by CTest offscreen.
# With PG, a second CTest entry runs the same suite on the PostgreSQL server named by
# JUNCHENG_TEST_PG (the test script provides it); the entry skips itself when it is unset.
function(jc_test name)
  cmake_parse_arguments(ARG "PG" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} testsupport Qt6::Test)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;JUNCHENG_TEST_BACKEND=sqlite" TIMEOUT 600)
  if(ARG_PG)
    add_test(NAME ${name}_pg COMMAND ${name})
    set_tests_properties(${name}_pg PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;JUNCHENG_TEST_BACKEND=pg"
                         SKIP_RETURN_CODE 77 TIMEOUT 600)
  endif()
endfunction()
