# Trisel.exe, the dialog program, and the window-free rules of its dialog.
add_library(trisel_dialog_rules STATIC ${CMAKE_CURRENT_LIST_DIR}/dialog_rules.cpp)
target_link_libraries(trisel_dialog_rules PUBLIC trisel_cli_core mirelka_fs mirelka_common)

if(WIN32)
  file(GLOB _trisel_gui_sources ${CMAKE_CURRENT_LIST_DIR}/win32/*.cpp)
  add_executable(Trisel WIN32 ${_trisel_gui_sources} ${CMAKE_CURRENT_LIST_DIR}/win32/trisel.rc)
  target_include_directories(Trisel PRIVATE ${CMAKE_CURRENT_LIST_DIR}/win32)
  target_link_libraries(Trisel PRIVATE
    trisel_dialog_rules mirelka_trisel_job mirelka_filecipher trisel_core mirelka_help_browser mirelka_vendor
    mirelka_registry mirelka_fs mirelka_common
    comctl32 comdlg32 msimg32 gdi32 user32 shell32)
  # The manifest-free program still gets the common controls it needs.
  set_target_properties(Trisel PROPERTIES OUTPUT_NAME Trisel)
endif()
