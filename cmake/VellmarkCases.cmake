# One CTest test per GoogleTest case, found when CTest starts (the program lists its cases). Unlike
# GoogleTest's own discovery, a case is never judged skipped by its output: a suite whose set-up fails
# prints "[  SKIPPED ]" for its cases and must still fail. The programs' main says skipped by exit status
# 77 (tests/support/test_main.cpp), which SKIP_RETURN_CODE reads.

# vellmark_case_tests(<target> <properties>...): at configure time, registers the script that lists the
# cases of <target> when CTest starts; <properties> go on every case.
function(vellmark_case_tests target)
  set(cases ${CMAKE_CURRENT_BINARY_DIR}/${target}_cases.cmake)
  set(loader ${CMAKE_CURRENT_BINARY_DIR}/${target}_loader.cmake)
  set(properties "")
  foreach(value IN LISTS ARGN)
    string(APPEND properties " [==[${value}]==]")
  endforeach()
  file(GENERATE OUTPUT ${loader} CONTENT
"set(exe [==[$<TARGET_FILE:${target}>]==])
set(cases [==[${cases}]==])
if(EXISTS \"\${exe}\")
  if(NOT EXISTS \"\${cases}\" OR \"\${exe}\" IS_NEWER_THAN \"\${cases}\")
    include([==[${PROJECT_SOURCE_DIR}/cmake/VellmarkCases.cmake]==])
    vellmark_write_cases(\"\${exe}\" \"\${cases}\" [==[${CMAKE_CURRENT_BINARY_DIR}]==]${properties})
  endif()
  include(\"\${cases}\")
else()
  add_test(${target}_NOT_BUILT ${target}_NOT_BUILT)
endif()
")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${loader})
endfunction()

# vellmark_write_cases(<exe> <file> <working dir> <properties>...): run by CTest; writes the add_test of
# every case that <exe> lists into <file>.
function(vellmark_write_cases exe file dir)
  execute_process(COMMAND ${exe} --gtest_list_tests WORKING_DIRECTORY ${dir} TIMEOUT 60
    OUTPUT_VARIABLE output RESULT_VARIABLE result ERROR_VARIABLE errors)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${exe} could not list its cases (${result}):\n${output}${errors}")
  endif()
  # The labels come as one value with commas between them (see vellmark_tests) and go on as a list.
  set(properties "")
  set(previous "")
  foreach(value IN LISTS ARGN)
    if(previous STREQUAL "LABELS")
      string(REPLACE "," ";" value "${value}")
    endif()
    string(APPEND properties " [==[${value}]==]")
    set(previous "${value}")
  endforeach()
  # Only the comments after a case ("# GetParam() = ...") hold brackets or semicolons, and they go.
  string(REGEX REPLACE "[][;]" "" output "${output}")
  string(REPLACE "\n" ";" lines "${output}")
  set(script "")
  set(suite "")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE " *#.*$" "" line "${line}")
    if(line MATCHES "^  +([^ ]+)$")
      set(name "${suite}.${CMAKE_MATCH_1}")
      string(APPEND script "add_test([==[${name}]==] [==[${exe}]==] [==[--gtest_filter=${name}]==] "
        "--gtest_also_run_disabled_tests)\n"
        "set_tests_properties([==[${name}]==] PROPERTIES WORKING_DIRECTORY [==[${dir}]==]${properties})\n")
      if(name MATCHES "(^|\\.)DISABLED_")
        string(APPEND script "set_tests_properties([==[${name}]==] PROPERTIES DISABLED TRUE)\n")
      endif()
    elseif(line MATCHES "^([^ ]+)\\.$")
      set(suite "${CMAKE_MATCH_1}")
    endif()
  endforeach()
  file(WRITE ${file} "${script}")
endfunction()
