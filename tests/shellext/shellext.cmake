mirelka_add_test(shellext_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/command_line_test.cpp ${CMAKE_CURRENT_LIST_DIR}/registration_test.cpp
  LIBS triselshell_core)

if(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/wine/wine.cmake)
endif()
