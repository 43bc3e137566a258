# Delay-loaded system DLLs: such a DLL is loaded at the first call into it, not
# when the program starts, so a run that never calls into it never loads it.
#
# velunda_delay_load(<name> <dll>...) makes the INTERFACE library <name>, which
# links the delay-load import libraries of the DLLs (user32 for user32.dll) and
# the toolchain's delay-load helper. Each import library is made with dlltool
# from the toolchain's own one, so it covers every function the DLL exports.
set(VELUNDA_DELAY_LIB_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/make_delay_lib.cmake)

function(velunda_delay_load name)
  set(libs)
  foreach(dll IN LISTS ARGN)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=lib${dll}.a
      OUTPUT_VARIABLE implib OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    if(NOT IS_ABSOLUTE "${implib}")
      message(FATAL_ERROR "The toolchain has no import library lib${dll}.a")
    endif()
    set(out ${CMAKE_BINARY_DIR}/delay-load/lib${dll}-delay.a)
    add_custom_command(OUTPUT ${out}
      COMMAND ${CMAKE_COMMAND} -DNM=${CMAKE_NM} -DDLLTOOL=${CMAKE_DLLTOOL}
        -DIMPLIB=${implib} -DDLL=${dll}.dll -DOUT=${out} -DPOINTER_SIZE=${CMAKE_SIZEOF_VOID_P}
        -P ${VELUNDA_DELAY_LIB_SCRIPT}
      DEPENDS ${implib} ${VELUNDA_DELAY_LIB_SCRIPT}
      COMMENT "Making the delay-load import library of ${dll}.dll"
      VERBATIM)
    list(APPEND libs ${out})
  endforeach()
  add_custom_target(${name}_libs DEPENDS ${libs})
  add_library(${name} INTERFACE)
  target_link_libraries(${name} INTERFACE ${libs} delayimp)
  # Followed by every target that links <name>: the libraries exist before it links.
  add_dependencies(${name} ${name}_libs)
endfunction()
