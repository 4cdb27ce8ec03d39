# The text-block cipher and the key text shared with the file cipher.
add_library(mirelka_textcipher STATIC
  ${CMAKE_CURRENT_LIST_DIR}/keyfile_view.cpp
  ${CMAKE_CURRENT_LIST_DIR}/common_key_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/key_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_block.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_coder.cpp
)
target_link_libraries(mirelka_textcipher PUBLIC mirelka_common)

# Adapters over the dialog controls of Mirelka and Trisel.
if(WIN32)
  add_library(mirelka_textcipher_win32 STATIC
    ${CMAKE_CURRENT_LIST_DIR}/win32/window_keyfile_view.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32/window_coder_host.cpp
  )
  target_link_libraries(mirelka_textcipher_win32 PUBLIC mirelka_textcipher user32 comctl32)
endif()

# Speed figures for scripts/bench (built with or without the tests).
if(NOT WIN32)
  add_executable(textcipher-bench ${CMAKE_CURRENT_LIST_DIR}/bench/bench.cpp)
  target_link_libraries(textcipher-bench PRIVATE mirelka_textcipher mirelka_fs)
endif()
