# Registry values: advapi32 on Windows, a per-user store file elsewhere.
add_library(mirelka_registry STATIC
  ${CMAKE_CURRENT_LIST_DIR}/registry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/${MIRELKA_PLATFORM}/registry.cpp
)
if(WIN32)
  target_link_libraries(mirelka_registry PUBLIC advapi32)
endif()
