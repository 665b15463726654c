# Delay-loaded imports: a DLL the program needs only now and then is loaded at its
# first call instead of at start, and can be unloaded again (see
# src/platform/delay_load.h). The import library is remade with dlltool from the
# toolchain's own one, so every function of that DLL stays available.

# Makes target `name` (an imported library) that delay-loads `dll`, whose regular
# import library is lib<stem>.a.
function(qm_delay_load_library name dll stem)
  find_library(regular_${stem} NAMES lib${stem}.a REQUIRED)
  execute_process(COMMAND ${CMAKE_NM} ${regular_${stem}}
    OUTPUT_VARIABLE symbols ERROR_QUIET COMMAND_ERROR_IS_FATAL ANY)
  # i686 symbols carry an extra leading underscore and a stdcall @size, which the
  # .def keeps and dlltool's --kill-at drops from the name it imports by.
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(prefix "__imp__")
    set(kill_at --kill-at)
  else()
    set(prefix "__imp_")
    set(kill_at)
  endif()
  string(REGEX MATCHALL " I ${prefix}[^\n]+" imports "${symbols}")
  set(def "LIBRARY ${dll}\nEXPORTS\n")
  foreach(import IN LISTS imports)
    string(REGEX REPLACE "^ I ${prefix}" "" import "${import}")
    string(APPEND def "  ${import}\n")
  endforeach()
  set(def_file ${CMAKE_BINARY_DIR}/generated/${stem}_delay.def)
  file(WRITE ${def_file} "${def}")

  # Run beside its output: dlltool names the library's symbols after the output path,
  # and the unloading code finds the descriptor as __DELAY_IMPORT_DESCRIPTOR_lib<stem>_delay_a.
  set(lib ${CMAKE_BINARY_DIR}/generated/lib${stem}_delay.a)
  add_custom_command(OUTPUT ${lib}
    COMMAND ${CMAKE_DLLTOOL} --input-def ${stem}_delay.def --dllname ${dll} ${kill_at}
            --output-delaylib lib${stem}_delay.a
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/generated
    DEPENDS ${def_file}
    COMMENT "Making the delay-load import library for ${dll}")
  add_custom_target(${name}_implib DEPENDS ${lib})
  add_library(${name} STATIC IMPORTED GLOBAL)
  set_target_properties(${name} PROPERTIES IMPORTED_LOCATION ${lib})
  add_dependencies(${name} ${name}_implib)
endfunction()
