# Stand-ins that tests of every folder link: in-memory and fault-injecting
# file systems and a temporary folder on the real disk.
add_library(mirelka_test_support STATIC
  ${CMAKE_CURRENT_LIST_DIR}/memory_fs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fault_fs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/temp_dir.cpp
)
target_include_directories(mirelka_test_support PUBLIC ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(mirelka_test_support PUBLIC mirelka_fs)
