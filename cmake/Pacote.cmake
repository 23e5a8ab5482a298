# The Debian package (`./talonix.sh pacote`): the application folder installed read-only in
# /usr/lib/talonix with the marker that sends the operator's files to the user's data folder,
# the `talonix` command, the menu entry with its icons, the AppStream metainfo and the
# documents Debian asks for. Built by CPack from a Release tree without tests or benchmarks.

find_program(TALONIX_GZIP gzip REQUIRED)

set(TALONIX_ID org.talonix.Talonix)
set(TALONIX_PASTA_PROGRAMA lib/talonix)
set(TALONIX_PACOTE_GERADO ${CMAKE_BINARY_DIR}/pacote)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(TARGETS Talonix RUNTIME DESTINATION ${TALONIX_PASTA_PROGRAMA})
# Loaded by path, never linked: plain files for the dynamic loader's point of view.
install(TARGETS verbalor talonix_som
        LIBRARY DESTINATION ${TALONIX_PASTA_PROGRAMA} PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
install(FILES ${PROJECT_SOURCE_DIR}/pacote/instalado DESTINATION ${TALONIX_PASTA_PROGRAMA})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/relatorio/ DESTINATION ${TALONIX_PASTA_PROGRAMA}/relatorio
        FILES_MATCHING PATTERN "*.rpt")
install(FILES ${TALONIX_APPDIR}/som/sucesso.wav DESTINATION ${TALONIX_PASTA_PROGRAMA}/som)

# The command on the PATH is a link: the program finds its folder through its resolved path.
file(MAKE_DIRECTORY ${TALONIX_PACOTE_GERADO})
file(CREATE_LINK ../${TALONIX_PASTA_PROGRAMA}/Talonix ${TALONIX_PACOTE_GERADO}/talonix SYMBOLIC)
install(FILES ${TALONIX_PACOTE_GERADO}/talonix DESTINATION bin)

install(FILES ${PROJECT_SOURCE_DIR}/pacote/${TALONIX_ID}.desktop DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/pacote/${TALONIX_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${TALONIX_ICONE_SVG} DESTINATION share/icons/hicolor/scalable/apps RENAME ${TALONIX_ID}.svg)
foreach(lado ${TALONIX_LADOS_ICONE})
  install(FILES ${TALONIX_IMAGENS}/talonix-${lado}.png DESTINATION share/icons/hicolor/${lado}x${lado}/apps
          RENAME ${TALONIX_ID}.png)
endforeach()

set(TALONIX_CHANGELOG ${TALONIX_PACOTE_GERADO}/changelog.gz)
add_custom_command(OUTPUT ${TALONIX_CHANGELOG}
  COMMAND ${TALONIX_GZIP} -9nc ${PROJECT_SOURCE_DIR}/pacote/changelog > ${TALONIX_CHANGELOG}
  DEPENDS ${PROJECT_SOURCE_DIR}/pacote/changelog
  COMMENT "Compressing the package's changelog")
add_custom_target(arquivos_pacote ALL DEPENDS ${TALONIX_CHANGELOG})
add_dependencies(arquivos_pacote imagens_renderizadas)
install(FILES ${PROJECT_SOURCE_DIR}/pacote/copyright ${TALONIX_CHANGELOG} DESTINATION share/doc/talonix)
# For whoever reads the database with other tools; the program carries its own copy.
install(FILES ${PROJECT_SOURCE_DIR}/app/core/schema.sql DESTINATION share/doc/talonix)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME talonix)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "emissão e impressão de recibos de pagamento")
# Debian shows the extended description as written: lines under 80 characters.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "O Talonix emite recibos de pagamento numerados por ano, impressos uma ou duas\n"
  "vezes na página com o valor por extenso. Cadastra pessoas (CPF ou CNPJ) e\n"
  "textos “referente”, busca os recibos emitidos, imprime relatórios, compacta o\n"
  "banco de dados e faz cópias de segurança.\n"
  "\n"
  "Os dados de cada usuário ficam em ~/.local/share/Talonix.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Equipe do Talonix <equipe@talonix.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the program loads at run time, out of the sight of dpkg-shlibdeps: the SQLite driver, the
# platform plugins, the sound backend (Qt Multimedia's own plugins, computed from the sound module,
# play through GStreamer), Qt's Portuguese texts, the browser opener, the icon themes (hicolor for the
# program's own icon, Breeze for the dialogs) and the SVG icon engine that draws Breeze. libzip is
# loaded when first used, so the computed dependencies cannot see it either: its package is named
# after its file name (libzip.so.4: libzip4).
string(REGEX REPLACE "^lib(.+)\\.so\\.([0-9]+)$" "lib\\1\\2" pacote_libzip ${TALONIX_LIBZIP_SONAME})
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "${pacote_libzip} (>= ${LIBZIP_VERSION}), libqt6sql6-sqlite, qt6-qpa-plugins, gstreamer1.0-plugins-base, \
qt6-translations-l10n, xdg-utils, hicolor-icon-theme, breeze-icon-theme, libqt6svg6")
include(CPack)
