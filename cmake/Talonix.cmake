# Compiler settings shared by every target of the project's own code.
set(TALONIX_WARNINGS -Wall -Wextra -Wpedantic -Werror -Wno-error=deprecated-declarations)
set(TALONIX_SANITIZER_FLAGS -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)

if(TALONIX_SANITIZE)
  add_compile_options(${TALONIX_SANITIZER_FLAGS})
  add_link_options(${TALONIX_SANITIZER_FLAGS})
endif()

# Warnings as errors, the repository root on the include path, Qt asserts kept in debug builds.
function(talonix_project_target target)
  target_compile_options(${target} PRIVATE ${TALONIX_WARNINGS})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  target_compile_definitions(${target} PUBLIC $<$<CONFIG:Debug>:QT_FORCE_ASSERTS>)
endfunction()

# One Qt Test executable per tested class, run by CTest on the offscreen platform.
#   talonix_add_test(NAME name SOURCES a.cpp ... [LIBRARIES lib ...] [TIMEOUT s] [PROCESSO helper])
# PROCESSO builds helper.cpp as a program of its own on the core library, a second process the
# test starts (to kill it midway, or to race it); the test finds it through the macro HELPER
# (the helper's name in capitals).
function(talonix_add_test)
  cmake_parse_arguments(T "" "NAME;TIMEOUT;PROCESSO" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  talonix_project_target(${T_NAME})
  target_link_libraries(${T_NAME} PRIVATE Qt6::Test ${T_LIBRARIES})
  if(T_PROCESSO)
    add_executable(${T_PROCESSO} ${T_PROCESSO}.cpp)
    talonix_project_target(${T_PROCESSO})
    target_link_libraries(${T_PROCESSO} PRIVATE talonix_core)
    string(TOUPPER ${T_PROCESSO} macro)
    target_compile_definitions(${T_NAME} PRIVATE ${macro}="$<TARGET_FILE:${T_PROCESSO}>")
    add_dependencies(${T_NAME} ${T_PROCESSO})
  endif()
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set_tests_properties(${T_NAME} PROPERTIES TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;TALONIX_TEST_APPDIR=${TALONIX_APPDIR};ASAN_OPTIONS=detect_leaks=1:abort_on_error=0;LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
endfunction()

# The file where the throw-away PostgreSQL server of a ctest run writes its folder and port.
set(TALONIX_SERVIDOR_PG_ESTADO ${CMAKE_BINARY_DIR}/servidor_pg.estado)

# Runs the test `nome` a second time, as `nome`_postgres, with its databases on the throw-away
# server that the fixture servidor_pg starts before and stops after, pass or fail.
function(talonix_teste_no_servidor nome)
  add_test(NAME ${nome}_postgres COMMAND ${nome})
  get_test_property(${nome} TIMEOUT tempo)
  get_test_property(${nome} ENVIRONMENT ambiente)
  set_tests_properties(${nome}_postgres PROPERTIES TIMEOUT ${tempo} LABELS postgres
    FIXTURES_REQUIRED servidor_pg ENVIRONMENT "${ambiente};TALONIX_TESTE_PG=${TALONIX_SERVIDOR_PG_ESTADO}")
endfunction()
