mirelka_add_test(filecipher_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/coding_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/header_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/trisels_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/faults_test.cpp
  LIBS mirelka_filecipher mirelka_test_support)
