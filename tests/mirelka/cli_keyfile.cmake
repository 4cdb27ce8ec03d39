# mirelka-cli's fallback to the common key file stored for Mirelka.
if(NOT WIN32)
  add_test(NAME mirelka_cli_keyfile
    COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/cli_keyfile.sh $<TARGET_FILE:mirelka-cli>)
endif()
