mirelka_add_test(mirelka_rules_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/password_check_test.cpp
  LIBS mirelka_rules)

# mirelka-cli end to end: the built program with real pipes, files and a
# pseudo terminal.
if(NOT WIN32)
  add_test(NAME mirelka_cli_e2e
    COMMAND python3 ${CMAKE_CURRENT_LIST_DIR}/cli_e2e.py $<TARGET_FILE:mirelka-cli>)
  set_tests_properties(mirelka_cli_e2e PROPERTIES TIMEOUT 120)
endif()

# Stored settings through an in-memory store, and the capture counters.
mirelka_add_test(mirelka_settings_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/settings_test.cpp
  LIBS mirelka_rules)
