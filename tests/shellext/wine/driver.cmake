# The COM test driver of the shell extension, built by the 32-bit and the
# 64-bit Windows builds alike; each drives the DLL of its own bitness.
add_executable(shellext_driver ${CMAKE_CURRENT_LIST_DIR}/shellext_driver.cpp)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set_target_properties(shellext_driver PROPERTIES OUTPUT_NAME shellext_driver64)
endif()
target_link_libraries(shellext_driver PRIVATE ole32 uuid shell32 user32 gdi32)
