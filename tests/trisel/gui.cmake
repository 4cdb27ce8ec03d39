# The window-free rules of Trisel's main dialog.
mirelka_add_test(trisel_dialog_rules_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/dialog_rules_test.cpp
  LIBS trisel_dialog_rules mirelka_test_support)

# The end-to-end driver that works Trisel.exe under Wine (tests/e2e/run).
if(WIN32)
  file(GLOB _e2e_driver_sources ${CMAKE_SOURCE_DIR}/tests/e2e/driver/*.cpp)
  add_executable(trisel_e2e ${_e2e_driver_sources})
  target_link_libraries(trisel_e2e PRIVATE user32 gdi32 advapi32 comctl32)
endif()
