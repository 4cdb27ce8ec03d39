mirelka_add_test(log_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/log_test.cpp
  LIBS mirelka_log mirelka_test_support)
