# The file-system adapter of the platform, path splitting and the wildcard
# rule shared by the adapters and the test stand-ins.
add_library(mirelka_fs STATIC
  ${CMAKE_CURRENT_LIST_DIR}/path.cpp
  ${CMAKE_CURRENT_LIST_DIR}/wildcard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/stdio_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/${MIRELKA_PLATFORM}/file_system.cpp
)
