# Registers a GoogleTest program with CTest: each of its cases as a test of its own, or, where
# starting a process is dear (the sanitizer build), the whole program as one test.
option(KORVANTEL_WHOLE_TEST_PROGRAMS "Register each test program as one CTest test" OFF)

function(korvantel_test_program target)
  if(KORVANTEL_WHOLE_TEST_PROGRAMS)
    add_test(NAME ${target} COMMAND ${target})
  else()
    gtest_discover_tests(${target})
  endif()
endfunction()
