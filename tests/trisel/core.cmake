mirelka_add_test(trisel_core_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/reporter_test.cpp
  LIBS trisel_core mirelka_test_support)
