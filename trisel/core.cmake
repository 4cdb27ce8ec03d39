# Trisel's job state and its reporter, shared by the file coder, the folder
# walk, the job runner and the programs.
add_library(trisel_core STATIC
  ${CMAKE_CURRENT_LIST_DIR}/job_state.cpp
  ${CMAKE_CURRENT_LIST_DIR}/report_ui.cpp
  ${CMAKE_CURRENT_LIST_DIR}/reporter.cpp
)
target_link_libraries(trisel_core PUBLIC mirelka_log)
