# cmake -DIN=<UTF-8 file> -DOUT=<file> -P readme_to_cp1252.cmake
# Writes IN in Windows-1252 with CRLF line ends.
execute_process(COMMAND iconv -f UTF-8 -t CP1252 ${IN}
  OUTPUT_VARIABLE text RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "iconv could not convert ${IN} to Windows-1252")
endif()
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE ${OUT} "${text}")
