# Helpers shared by the project's CMakeLists.

# corvale_gtest(NAME SOURCES... [LIBS libs...] [SERIAL]): one test executable, one ctest entry.
# Each entry writes a GoogleTest XML report that scripts/test adds up into the case counts.
function(corvale_gtest name)
  cmake_parse_arguments(ARG "SERIAL" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  if(WIN32)
    target_sources(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/win/crash_exit.cpp)
  endif()
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    CORVALE_TESTDATA_DIR="${CORVALE_TESTDATA_PATH}"
    CORVALE_SOURCE_DIR="${CORVALE_SOURCE_PATH}")
  if(WIN32)
    set(report "Z:${CMAKE_BINARY_DIR}/reports/${name}.xml")
  else()
    set(report "${CMAKE_BINARY_DIR}/reports/${name}.xml")
  endif()
  add_test(NAME ${name} COMMAND ${name} --gtest_output=xml:${report})
  if(ARG_SERIAL)
    set_tests_properties(${name} PROPERTIES RUN_SERIAL TRUE)
  endif()
endfunction()

# corvale_host_tool(VAR NAME): the path of a generator of the native tree (picturegen, formgen,
# skingen, skinpack) as a build rule can run it: the target itself in the native tree, the native
# tree's build of it (CORVALE_HOST_TOOLS_DIR) in the Windows trees.
function(corvale_host_tool var name)
  if(NOT CMAKE_CROSSCOMPILING)
    set(${var} $<TARGET_FILE:${name}> PARENT_SCOPE)
    return()
  endif()
  set(path "${CORVALE_HOST_TOOLS_DIR}/${name}/${name}")
  if(NOT EXISTS "${path}")
    message(FATAL_ERROR "${path} is missing: build the native tree first and pass its tools folder as "
                        "CORVALE_HOST_TOOLS_DIR (scripts/test and scripts/run do both).")
  endif()
  set(${var} "${path}" PARENT_SCOPE)
endfunction()
