# cmake -DNM=... -DDLLTOOL=... -DIMPLIB=... -DDLL=... -DOUT=... -DPOINTER_SIZE=... -P make_delay_lib.cmake
# Writes to OUT a delay-load import library for DLL naming every function of
# the import library IMPLIB (its code symbols; data cannot be delay-loaded).
execute_process(COMMAND ${NM} ${IMPLIB} OUTPUT_VARIABLE listing COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCHALL " T [^\r\n]+" functions "${listing}")
list(TRANSFORM functions REPLACE "^ T " "")
set(kill_at)
if(POINTER_SIZE EQUAL 4)
  # x86 symbols carry a leading underscore and a stdcall @N suffix; the DLL's
  # export names carry neither (dlltool -k drops the suffix).
  list(TRANSFORM functions REPLACE "^_" "")
  set(kill_at -k)
endif()
list(JOIN functions "\n" exports)
file(REMOVE ${OUT})
file(WRITE ${OUT}.def "LIBRARY ${DLL}\nEXPORTS\n${exports}\n")
execute_process(COMMAND ${DLLTOOL} ${kill_at} -d ${OUT}.def -D ${DLL} -y ${OUT}
  COMMAND_ERROR_IS_FATAL ANY)
