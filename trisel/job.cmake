# Trisel's settings, folder walk and job runner (portable), used by Trisel.exe
# and trisel-cli.
add_library(mirelka_trisel_job STATIC
  ${CMAKE_CURRENT_LIST_DIR}/settings.cpp
)
target_link_libraries(mirelka_trisel_job PUBLIC mirelka_registry mirelka_common)
