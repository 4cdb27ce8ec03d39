mirelka_add_test(textcipher_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/common_key_file_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/text_block_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/text_coder_test.cpp
  LIBS mirelka_textcipher mirelka_test_support)

if(WIN32)
  mirelka_add_test(textcipher_win32_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/win32_adapters_test.cpp
    LIBS mirelka_textcipher_win32 mirelka_test_support comctl32)
endif()
