# Trisel's settings, folder walk and job runner (portable), used by Trisel.exe
# and trisel-cli.
add_library(mirelka_trisel_job STATIC
  ${CMAKE_CURRENT_LIST_DIR}/settings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mylist.cpp
  ${CMAKE_CURRENT_LIST_DIR}/find_files.cpp
  ${CMAKE_CURRENT_LIST_DIR}/job.cpp
)
target_link_libraries(mirelka_trisel_job PUBLIC mirelka_filecipher trisel_core mirelka_textcipher mirelka_fs mirelka_log mirelka_registry mirelka_common)
