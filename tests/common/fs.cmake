mirelka_add_test(fs_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/path_test.cpp ${CMAKE_CURRENT_LIST_DIR}/file_system_test.cpp
  LIBS mirelka_test_support mirelka_fs)
