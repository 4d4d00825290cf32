# Helpers that keep every subsystem's build description to one line.

# vellmark_library(<subsystem> [DEPS <targets>...] [EXCLUDE <files>...]): every .cpp of src/<subsystem>
# but the excluded ones becomes the static library vm_<subsystem>; includes are written "subsystem/file.h".
function(vellmark_library name)
  cmake_parse_arguments(ARG "" "" "DEPS;EXCLUDE" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*/*.cpp)
  foreach(excluded IN LISTS ARG_EXCLUDE)
    list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/${excluded})
  endforeach()
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

# vellmark_tests(<subsystem> [DEPS <targets>...] [LABELS <labels>...]): each tests/<subsystem>/*_test.cpp
# becomes its own test program test_<subsystem>_<name>, linked with vm_<subsystem> when that library
# exists; the folder's other .cpp files (fakes, fixtures) form a support library linked into each.
function(vellmark_tests name)
  cmake_parse_arguments(ARG "" "" "DEPS;LABELS" ${ARGN})
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
  file(GLOB all CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  set(support ${all})
  if(tests)
    list(REMOVE_ITEM support ${tests})
  endif()
  set(libs ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  if(TARGET vm_${name})
    list(PREPEND libs vm_${name})
  endif()
  if(support)
    add_library(test_support_${name} STATIC ${support})
    target_include_directories(test_support_${name} PUBLIC ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(test_support_${name} PUBLIC ${libs})
    set(libs test_support_${name})
  endif()
  foreach(src IN LISTS tests)
    get_filename_component(base ${src} NAME_WE)
    string(REGEX REPLACE "_test$" "" base ${base})
    set(target test_${name}_${base})
    add_executable(${target} ${src})
    target_link_libraries(${target} PRIVATE ${libs})
    target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
      PROPERTIES LABELS "${name};${ARG_LABELS}"
      ENVIRONMENT "VELLMARK_TEST_SOURCE=${PROJECT_SOURCE_DIR}/tests")
  endforeach()
endfunction()
