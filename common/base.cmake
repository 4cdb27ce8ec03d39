add_library(mirelka_common STATIC
  ${CMAKE_CURRENT_LIST_DIR}/mystring.cpp
  ${CMAKE_CURRENT_LIST_DIR}/${MIRELKA_PLATFORM}/module_dir.cpp
)
