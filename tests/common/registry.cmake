mirelka_add_test(registry_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/registry_test.cpp
  LIBS mirelka_registry)
