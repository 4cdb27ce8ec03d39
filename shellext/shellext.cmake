# TriselShell: the command line and registration rules (portable, tested
# natively) and, in the Windows builds, the COM server DLL around them.
add_library(triselshell_core STATIC
  ${CMAKE_CURRENT_LIST_DIR}/command_line.cpp
  ${CMAKE_CURRENT_LIST_DIR}/command_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/registration.cpp
)
target_link_libraries(triselshell_core PUBLIC mirelka_common mirelka_fs)

if(WIN32)
  # The same sources make the 32-bit TriselShell.dll and, with the x86_64
  # compiler, TriselShell64.dll for 64-bit Explorer.
  add_library(TriselShell SHARED
    ${CMAKE_CURRENT_LIST_DIR}/win32/dll_main.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32/class_factory.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32/shell_ext.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32/win_shell_registry.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32/triselshell.rc
    ${CMAKE_CURRENT_LIST_DIR}/win32/triselshell.def
  )
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(_triselshell_name TriselShell64)
  else()
    set(_triselshell_name TriselShell)
    # The .def file names the exports undecorated; let the 32-bit linker
    # match them to their stdcall symbols without a warning each.
    target_link_options(TriselShell PRIVATE -Wl,--enable-stdcall-fixup)
  endif()
  set_target_properties(TriselShell PROPERTIES PREFIX "" OUTPUT_NAME ${_triselshell_name})
  target_link_libraries(TriselShell PRIVATE triselshell_core ole32 uuid shell32 user32 gdi32 advapi32)
endif()
