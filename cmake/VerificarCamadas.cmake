# Checks that includes run downward through the program's layers. Run in script mode:
#   cmake -DRAIZ=<source tree> "-DPASTAS_WIDGETS=<QtWidgets dir>;<QtPrintSupport dir>" -P VerificarCamadas.cmake
# Prints one "camadas: <file>: includes <header> (<rule>)" line for each include that runs upward
# and fails when there is any. Qt's other modules and standard or system headers are always allowed.
#
# The rules:
#   core      app/core/ includes nothing outside app/core/ and no widget header;
#   engine    the report engine (reports/engine/) and the receipt filter (FiltroRecibo) include
#             no widget header, no control and no screen;
#   controls  controls/ includes no screen;
#   shell     only app/, tests/ and bench/ include the shell (app/ outside app/core/).
cmake_minimum_required(VERSION 3.25)

if(NOT RAIZ)
  message(FATAL_ERROR "RAIZ (the source tree to check) is missing")
endif()

# Every header a widget module installs, by the names an include may give it.
set(widgets)
foreach(pasta ${PASTAS_WIDGETS})
  get_filename_component(modulo ${pasta} NAME)
  file(GLOB cabecalhos RELATIVE ${pasta} ${pasta}/*)
  foreach(cabecalho ${cabecalhos})
    list(APPEND widgets ${cabecalho} ${modulo}/${cabecalho})
  endforeach()
endforeach()

set(filtro receipts/FiltroRecibo.h receipts/FiltroRecibo.cpp)

function(eh_shell caminho saida)
  if(caminho MATCHES "^app/" AND NOT caminho MATCHES "^app/core/")
    set(${saida} TRUE PARENT_SCOPE)
  else()
    set(${saida} FALSE PARENT_SCOPE)
  endif()
endfunction()

# A screen: anything of the screen folders except the reusable pieces that live among them.
function(eh_tela caminho saida)
  eh_shell(${caminho} shell)
  if(shell OR caminho MATCHES "^(registries|backup|about)/" OR caminho MATCHES "^reports/[^/]+$"
     OR (caminho MATCHES "^receipts/" AND NOT caminho IN_LIST filtro))
    set(${saida} TRUE PARENT_SCOPE)
  else()
    set(${saida} FALSE PARENT_SCOPE)
  endif()
endfunction()

file(GLOB_RECURSE arquivos RELATIVE ${RAIZ} ${RAIZ}/*.cpp ${RAIZ}/*.h)
list(FILTER arquivos EXCLUDE REGEX "^(build[^/]*|\\.git)/")
list(SORT arquivos)

set(violacoes 0)
foreach(arquivo ${arquivos})
  file(STRINGS ${RAIZ}/${arquivo} linhas REGEX "^[ \t]*#[ \t]*include")
  foreach(linha ${linhas})
    if(NOT linha MATCHES "#[ \t]*include[ \t]*([<\"])([^>\"]+)[>\"]")
      continue()
    endif()
    set(delimitador ${CMAKE_MATCH_1})
    set(incluido ${CMAKE_MATCH_2})
    set(projeto FALSE)
    set(widget FALSE)
    if(delimitador STREQUAL "\"" AND incluido MATCHES "/")
      set(projeto TRUE)
    elseif(delimitador STREQUAL "<" AND incluido IN_LIST widgets)
      set(widget TRUE)
    endif()

    set(regra "")
    if(arquivo MATCHES "^app/core/")
      if(widget OR (projeto AND NOT incluido MATCHES "^app/core/"))
        set(regra core)
      endif()
    elseif(arquivo MATCHES "^reports/engine/" OR arquivo IN_LIST filtro)
      if(projeto)
        eh_tela(${incluido} tela)
      endif()
      if(widget OR (projeto AND (tela OR incluido MATCHES "^(controls|reports/preview)/")))
        set(regra engine)
      endif()
    elseif(arquivo MATCHES "^controls/" AND projeto)
      eh_tela(${incluido} tela)
      if(tela)
        set(regra controls)
      endif()
    endif()
    if(regra STREQUAL "" AND projeto AND NOT arquivo MATCHES "^(app|tests|bench)/")
      eh_shell(${incluido} shell)
      if(shell)
        set(regra shell)
      endif()
    endif()

    if(NOT regra STREQUAL "")
      message("camadas: ${arquivo}: includes ${incluido} (${regra})")
      math(EXPR violacoes "${violacoes} + 1")
    endif()
  endforeach()
endforeach()

if(violacoes GREATER 0)
  message(FATAL_ERROR "camadas: ${violacoes} include(s) run upward")
endif()
list(LENGTH arquivos total)
message("camadas: ${total} files, every include runs downward")
