# Wine tests of TriselShell: regsvr32 and the registry rows in both views,
# then the COM driver against the registered DLL with a stand-in Trisel.exe
# (and the real one when it has been built).
include(${CMAKE_CURRENT_LIST_DIR}/driver.cmake)
add_executable(trisel_stub WIN32 ${CMAKE_CURRENT_LIST_DIR}/trisel_stub.cpp)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  # A whole x86_64 build (machines that cannot run 32-bit code) tests its
  # own 64-bit DLL with its own stand-in.
  add_test(NAME shellext_wine64
    COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/run_wine_test.sh 64 ${CMAKE_BINARY_DIR}/bin ${CMAKE_BINARY_DIR}/bin)
  set_tests_properties(shellext_wine64 PROPERTIES TIMEOUT 300 SKIP_RETURN_CODE 77)
else()
  # The 64-bit half uses the shell-extension-only build in ../win64 beside
  # this build folder and is skipped when that has not been built.
  add_test(NAME shellext_wine32
    COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/run_wine_test.sh 32 ${CMAKE_BINARY_DIR}/bin ${CMAKE_BINARY_DIR}/bin)
  add_test(NAME shellext_wine64
    COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/run_wine_test.sh 64 ${CMAKE_BINARY_DIR}/../win64/bin ${CMAKE_BINARY_DIR}/bin)
  set_tests_properties(shellext_wine32 shellext_wine64 PROPERTIES TIMEOUT 300 SKIP_RETURN_CODE 77)
endif()
