# Help viewer and web browser starters of the Windows programs.
if(WIN32)
  add_library(mirelka_help_browser STATIC ${CMAKE_CURRENT_LIST_DIR}/win32/help_browser.cpp)
  target_link_libraries(mirelka_help_browser PUBLIC mirelka_vendor mirelka_common shell32)
endif()
