mirelka_add_test(trisel_cli_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/cli_test.cpp
  LIBS trisel_cli_core mirelka_test_support)

# The program itself (exit statuses, batch answers, stored settings, Ctrl+C),
# and on a pseudo terminal (hidden password, folder options, overwrite prompt).
if(NOT WIN32)
  add_test(NAME trisel_cli_run
    COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/cli_run.sh $<TARGET_FILE:trisel-cli>)
  add_test(NAME trisel_cli_terminal
    COMMAND python3 ${CMAKE_CURRENT_LIST_DIR}/cli_terminal.py $<TARGET_FILE:trisel-cli>)
  set_tests_properties(trisel_cli_run trisel_cli_terminal PROPERTIES TIMEOUT 300)
endif()
