# Character-set conversion at the console programs' edges (iconv on POSIX,
# the code-page functions on Windows); the core itself works in CP949.
add_library(mirelka_charset STATIC
  ${CMAKE_CURRENT_LIST_DIR}/charset_piecewise.cpp
  ${CMAKE_CURRENT_LIST_DIR}/${MIRELKA_PLATFORM}/charset.cpp
)
