# One static library per subsystem folder, built from every source file in it.
# A folder with no sources yet becomes an interface target so dependents still link.
function(zoderud_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/${name}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/${name}/*.c)
  set(target zoderud_${name})
  if(sources)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/source)
    target_link_libraries(${target} PUBLIC ${ARG_DEPS})
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR}/source)
    target_link_libraries(${target} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# One test program per subsystem folder under tests/, each test registered with CTest.
function(zoderud_test_folder name)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${name}/*.cpp)
  if(NOT sources)
    return()
  endif()
  set(target test_${name})
  add_executable(${target} ${sources} $<TARGET_OBJECTS:zoderud_test_process>)
  target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${target} PRIVATE zoderud_engine zoderud_test_support GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(${target} PRIVATE
    ZODERUD_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    ZODERUD_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/${name}/data")
  gtest_discover_tests(${target}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    DISCOVERY_MODE PRE_TEST
    # Listing the tests of a sanitised program takes seconds on a busy machine.
    DISCOVERY_TIMEOUT 120
    PROPERTIES ENVIRONMENT "SDL_VIDEODRIVER=offscreen;SDL_AUDIODRIVER=dummy;ZODERUD_TESTING=1")
endfunction()
