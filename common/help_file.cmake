# Mirelka.chm, the suite's help file, compiled from help/ beside the programs.
if(WIN32)
  find_program(MIRELKA_CHMCMD chmcmd)
  if(MIRELKA_CHMCMD)
    file(GLOB_RECURSE _help_sources ${CMAKE_SOURCE_DIR}/help/*.htm ${CMAKE_SOURCE_DIR}/help/*.hhc
         ${CMAKE_SOURCE_DIR}/help/*.hhp ${CMAKE_SOURCE_DIR}/help/*.css)
    set(_chm ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/Mirelka.chm)
    add_custom_command(OUTPUT ${_chm}
      COMMAND ${CMAKE_SOURCE_DIR}/help/build_chm.sh ${_chm}
      DEPENDS ${_help_sources} ${CMAKE_SOURCE_DIR}/help/build_chm.sh
      COMMENT "Compiling Mirelka.chm")
    add_custom_target(mirelka_help ALL DEPENDS ${_chm})
  else()
    message(WARNING "chmcmd (package fp-utils) not found: Mirelka.chm is not built")
  endif()
endif()
