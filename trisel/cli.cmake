# trisel-cli: Trisel's job on a terminal (POSIX).
add_library(trisel_cli_core STATIC
  ${CMAKE_CURRENT_LIST_DIR}/cli/cli_options.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cli/console.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cli/startup_checks.cpp
)
target_link_libraries(trisel_cli_core PUBLIC mirelka_trisel_job)

if(NOT WIN32)
  add_executable(trisel-cli
    ${CMAKE_CURRENT_LIST_DIR}/cli/posix/main.cpp
    ${CMAKE_CURRENT_LIST_DIR}/cli/posix/terminal.cpp
  )
  target_link_libraries(trisel-cli PRIVATE trisel_cli_core mirelka_native_paths mirelka_charset)
endif()
