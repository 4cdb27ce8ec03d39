# mirelka-cli falls back to the common key file stored in Mirelka's settings.
# Kept apart from cli.cmake; sorted after it, so the target exists here.
if(TARGET mirelka-cli)
  target_sources(mirelka-cli PRIVATE ${CMAKE_CURRENT_LIST_DIR}/cli/stored_key_file.cpp)
  target_link_libraries(mirelka-cli PRIVATE mirelka_registry)
endif()
