# The vendor's web server: host, home page and download page for every program.
add_library(mirelka_vendor STATIC ${CMAKE_CURRENT_LIST_DIR}/vendor.cpp)
target_link_libraries(mirelka_vendor PUBLIC mirelka_common)
