# The 64-bit Windows build holds only the shell extension and its test
# driver: 64-bit Explorer loads only 64-bit extensions, while the programs
# themselves stay 32-bit.
include(${CMAKE_SOURCE_DIR}/common/base.cmake)
include(${CMAKE_SOURCE_DIR}/common/fs.cmake)
include(${CMAKE_SOURCE_DIR}/shellext/shellext.cmake)
include(${CMAKE_SOURCE_DIR}/tests/shellext/wine/driver.cmake)
