# Linux names files in the locale's character set; the console programs
# put this in front of the real file system so the core sees CP949 paths.
if(NOT WIN32)
  add_library(mirelka_native_paths STATIC ${CMAKE_CURRENT_LIST_DIR}/posix/native_paths.cpp)
  target_link_libraries(mirelka_native_paths PUBLIC mirelka_charset)
endif()
