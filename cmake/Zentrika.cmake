# One static library per source folder; sources are picked up by glob so that
# adding a file needs no edit here.
set(ZK_ALL_LIBRARIES "")

function(zk_target_name folder out)
  string(REPLACE "/" "_" name "${folder}")
  set(${out} "zk_${name}" PARENT_SCOPE)
endfunction()

function(zk_library folder)
  file(GLOB sources CONFIGURE_DEPENDS
       "${CMAKE_SOURCE_DIR}/${folder}/*.cpp" "${CMAKE_SOURCE_DIR}/${folder}/*.h")
  zk_target_name(${folder} target)
  list(FILTER sources EXCLUDE REGEX "/program/")
  foreach(dep ${ARGN})
    if(NOT TARGET ${dep})
      message(FATAL_ERROR "${folder}: dependency ${dep} is not a target (misspelt, or declared above its layer?)")
    endif()
  endforeach()
  # A layer without sources yet is an interface library that passes its
  # dependencies on, so the layers above it can name it already.
  if(NOT sources)
    add_library(${target} INTERFACE)
    target_link_libraries(${target} INTERFACE ${ARGN})
    return()
  endif()
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${target} PUBLIC ${ARGN})
  if(NOT folder STREQUAL "platform")
    target_link_libraries(${target} PUBLIC zk_platform)
  endif()
  target_precompile_headers(${target} PRIVATE ${CMAKE_SOURCE_DIR}/cmake/qt_pch.h)
  list(APPEND ZK_ALL_LIBRARIES ${target})
  set(ZK_ALL_LIBRARIES "${ZK_ALL_LIBRARIES}" PARENT_SCOPE)
endfunction()

# A test executable for tests/<folder>, discovered by CTest. The library under
# test, the shared test support and every library below it are linked.
function(zk_test folder)
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/tests/${folder}/*.cpp"
                                      "${CMAKE_SOURCE_DIR}/tests/${folder}/*.h")
  zk_target_name(${folder} lib)
  if(NOT sources)
    return()
  endif()
  string(REPLACE "zk_" "test_" target "${lib}")
  add_executable(${target} ${sources} ${CMAKE_SOURCE_DIR}/tests/common/test_main.cpp
                           ${CMAKE_SOURCE_DIR}/tests/common/SanitizerOptions.cpp)
  target_link_libraries(${target} PRIVATE ${lib} GTest::gtest GTest::gmock Qt6::Test)
  if(TARGET zk_testsupport)
    target_link_libraries(${target} PRIVATE zk_testsupport)
  endif()
  if(TARGET zk_fakes)
    target_link_libraries(${target} PRIVATE zk_fakes)
  endif()
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
  target_precompile_headers(${target} PRIVATE ${CMAKE_SOURCE_DIR}/cmake/qt_pch.h)
  # CTest names a parameterised test as GoogleTest does (by its row's name),
  # without the printed parameter, whose bytes change with every build.
  gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES
                       PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
