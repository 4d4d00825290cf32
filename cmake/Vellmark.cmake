# Helpers that keep every subsystem's build description to one line.

# vellmark_library(<subsystem> [DEPS <targets>...]): every .cpp of src/<subsystem>
# becomes the static library vm_<subsystem>; includes are written "subsystem/file.h".
function(vellmark_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*/*.cpp)
  if(sources)
    add_library(vm_${name} STATIC ${sources})
    target_include_directories(vm_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(vm_${name} PUBLIC ${ARG_DEPS})
  else()
    add_library(vm_${name} INTERFACE)
    target_include_directories(vm_${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(vm_${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# vellmark_tests(<subsystem> [DEPS <targets>...]): every .cpp of tests/<subsystem> becomes
# the test program test_<subsystem>, linked with vm_<subsystem> when that library exists.
function(vellmark_tests name)
  cmake_parse_arguments(ARG "" "" "DEPS;LABELS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(test_${name} ${sources})
  if(TARGET vm_${name})
    target_link_libraries(test_${name} PRIVATE vm_${name})
  endif()
  target_link_libraries(test_${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(test_${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  gtest_discover_tests(test_${name} DISCOVERY_MODE PRE_TEST
    PROPERTIES LABELS "${name};${ARG_LABELS}" ENVIRONMENT "VELLMARK_TEST_SOURCE=${PROJECT_SOURCE_DIR}/tests")
endfunction()
