mirelka_add_test(vendor_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/vendor_test.cpp
  LIBS mirelka_vendor)
