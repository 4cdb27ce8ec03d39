# The file cipher engine: stream coding, the .tsl header, the one-file coder.
add_library(mirelka_filecipher STATIC
  ${CMAKE_CURRENT_LIST_DIR}/verify_code.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scan_hex.cpp
  ${CMAKE_CURRENT_LIST_DIR}/local_time.cpp
  ${CMAKE_CURRENT_LIST_DIR}/head_write.cpp
  ${CMAKE_CURRENT_LIST_DIR}/head_read.cpp
  ${CMAKE_CURRENT_LIST_DIR}/set_property.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_progress.cpp
  ${CMAKE_CURRENT_LIST_DIR}/run_coding.cpp
  ${CMAKE_CURRENT_LIST_DIR}/trisels.cpp
)
target_link_libraries(mirelka_filecipher PUBLIC trisel_core mirelka_fs mirelka_log)

# The speed figures of scripts/bench.d/filecipher.sh; built with the tests
# off as well, so the release build has it.
add_executable(filecipher_bench ${CMAKE_CURRENT_LIST_DIR}/bench/filecipher_bench.cpp)
target_link_libraries(filecipher_bench PRIVATE mirelka_filecipher)
