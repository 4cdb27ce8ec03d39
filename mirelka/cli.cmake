# mirelka-cli: one ENCODE on the console. Built in both builds; only the
# native one is tested.
add_executable(mirelka-cli
  ${CMAKE_CURRENT_LIST_DIR}/cli/main.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cli/cli_options.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cli/${MIRELKA_PLATFORM}/terminal.cpp
)
target_link_libraries(mirelka-cli PRIVATE mirelka_textcipher mirelka_rules mirelka_fs mirelka_charset)
if(NOT WIN32)
  target_link_libraries(mirelka-cli PRIVATE mirelka_native_paths)
endif()
