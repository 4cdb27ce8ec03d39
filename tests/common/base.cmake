mirelka_add_test(common_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/mystring_test.cpp ${CMAKE_CURRENT_LIST_DIR}/module_dir_test.cpp
  LIBS mirelka_common)
