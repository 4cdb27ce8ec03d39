mirelka_add_test(trisel_job_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/job_test.cpp
  LIBS mirelka_trisel_job mirelka_test_support)
