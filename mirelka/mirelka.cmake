# Mirelka's portable rules: the password check and the selection limit.
add_library(mirelka_rules STATIC
  ${CMAKE_CURRENT_LIST_DIR}/password_check.cpp
  ${CMAKE_CURRENT_LIST_DIR}/selection_limit.cpp
)
