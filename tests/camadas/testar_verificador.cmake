# Runs the layer checker on the planted tree beside this file and compares what it reports with
# the includes planted there, one by one: each must be caught, nothing else may be.
#   cmake -DVERIFICADOR=<VerificarCamadas.cmake> "-DPASTAS_WIDGETS=..." -P testar_verificador.cmake
cmake_minimum_required(VERSION 3.25)

execute_process(COMMAND ${CMAKE_COMMAND} -DRAIZ=${CMAKE_CURRENT_LIST_DIR}/arvore "-DPASTAS_WIDGETS=${PASTAS_WIDGETS}"
                        -P ${VERIFICADOR}
                RESULT_VARIABLE resultado OUTPUT_VARIABLE saida ERROR_VARIABLE saida)
if(resultado EQUAL 0)
  message(FATAL_ERROR "the checker passed a tree with upward includes:\n${saida}")
endif()

string(REGEX MATCHALL "camadas: [^\n:]+: includes [^\n]+ \\([a-z]+\\)" achadas "${saida}")
set(esperadas
  "camadas: app/core/Nucleo.cpp: includes controls/uscTextBox.h (core)"
  "camadas: app/core/Nucleo.cpp: includes QWidget (core)"
  "camadas: controls/Caixa.cpp: includes backup/frmCopiaSeguranca.h (controls)"
  "camadas: receipts/FiltroRecibo.cpp: includes receipts/frmRecibo2.h (engine)"
  "camadas: receipts/frmRecibo2.cpp: includes app/Inicializacao.h (shell)"
  "camadas: registries/Tela.cpp: includes app/mdiPrincipal.h (shell)"
  "camadas: reports/engine/Motor.cpp: includes controls/lvButtons.h (engine)"
  "camadas: reports/engine/Motor.cpp: includes registries/frmPessoa.h (engine)"
  "camadas: reports/engine/Motor.cpp: includes reports/preview/frmPreviewRelatorio.h (engine)"
  "camadas: reports/engine/Motor.cpp: includes QtWidgets/QLabel (engine)")
list(SORT achadas)
list(SORT esperadas)
if(NOT achadas STREQUAL esperadas)
  string(REPLACE ";" "\n" achadas "${achadas}")
  string(REPLACE ";" "\n" esperadas "${esperadas}")
  message(FATAL_ERROR "the checker reported:\n${achadas}\n\nexpected:\n${esperadas}")
endif()
message("the checker caught every planted include and nothing else")
