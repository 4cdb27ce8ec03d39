# Mirelka's portable rules: the password check, the selection limit, the
# capture decisions and the stored settings.
add_library(mirelka_rules STATIC
  ${CMAKE_CURRENT_LIST_DIR}/password_check.cpp
  ${CMAKE_CURRENT_LIST_DIR}/selection_limit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/capture_rules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings.cpp
)
target_link_libraries(mirelka_rules PUBLIC mirelka_common)
