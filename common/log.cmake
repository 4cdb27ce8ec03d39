# The run logs beside the executable (WriteLog).
add_library(mirelka_log STATIC ${CMAKE_CURRENT_LIST_DIR}/log.cpp)
target_link_libraries(mirelka_log PUBLIC mirelka_common)
