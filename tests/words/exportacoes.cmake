# Fails unless TranslateNumberToWords is the only symbol the library defines for others.
execute_process(COMMAND ${NM} -D --defined-only ${BIBLIOTECA} OUTPUT_VARIABLE simbolos COMMAND_ERROR_IS_FATAL ANY)
string(REGEX REPLACE "[0-9a-fA-F]+ [A-Za-z] " "" nomes "${simbolos}")
string(STRIP "${nomes}" nomes)
if(NOT nomes STREQUAL "TranslateNumberToWords")
  message(FATAL_ERROR "Exported symbols:\n${simbolos}")
endif()
