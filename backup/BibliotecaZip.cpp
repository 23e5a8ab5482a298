#include "backup/BibliotecaZip.h"

#include <QLibrary>
#include <QMutex>
#include <QtGlobal>

#include <zip.h>

namespace BibliotecaZip {
namespace {

QLibrary& biblioteca() {
  // The library's file name as the program was linked against it (its ELF soname).
  static QLibrary zip(QStringLiteral(TALONIX_LIBZIP_SONAME));
  return zip;
}

// The library's own function `nome`, of the type of the declaration in <zip.h>.
template <typename Funcao>
Funcao propria(const char* nome) {
  const QFunctionPointer funcao = biblioteca().resolve(nome);
  if (funcao == nullptr)
    qFatal("libzip sem a função %s: %s", nome, qPrintable(biblioteca().errorString()));
  return reinterpret_cast<Funcao>(funcao);
}

}  // namespace

QString Carregar() {
  static QMutex trava;
  const QMutexLocker bloqueio(&trava);
  if (biblioteca().isLoaded() || biblioteca().load())
    return {};
  return QStringLiteral("Não foi possível carregar a biblioteca de compactação ") +
         QStringLiteral(TALONIX_LIBZIP_SONAME) + QStringLiteral(": ") + biblioteca().errorString();
}

}  // namespace BibliotecaZip

// The libzip functions the program calls, each passing the call on to the library's own. The
// compiler holds every signature against its declaration in <zip.h>.
#define TALONIX_REPASSAR(nome, ...)                                             \
  static const auto propria = BibliotecaZip::propria<decltype(&::nome)>(#nome); \
  return propria(__VA_ARGS__)

extern "C" {

int zip_close(zip_t* z) {
  TALONIX_REPASSAR(zip_close, z);
}
int zip_fclose(zip_file_t* a) {
  TALONIX_REPASSAR(zip_fclose, a);
}
int zip_delete(zip_t* z, zip_uint64_t i) {
  TALONIX_REPASSAR(zip_delete, z, i);
}
zip_int64_t zip_dir_add(zip_t* z, const char* n, zip_flags_t f) {
  TALONIX_REPASSAR(zip_dir_add, z, n, f);
}
void zip_discard(zip_t* z) {
  TALONIX_REPASSAR(zip_discard, z);
}
int zip_error_code_zip(const zip_error_t* e) {
  TALONIX_REPASSAR(zip_error_code_zip, e);
}
void zip_error_fini(zip_error_t* e) {
  TALONIX_REPASSAR(zip_error_fini, e);
}
void zip_error_init_with_code(zip_error_t* e, int c) {
  TALONIX_REPASSAR(zip_error_init_with_code, e, c);
}
const char* zip_error_strerror(zip_error_t* e) {
  TALONIX_REPASSAR(zip_error_strerror, e);
}
zip_int64_t zip_file_add(zip_t* z, const char* n, zip_source_t* s, zip_flags_t f) {
  TALONIX_REPASSAR(zip_file_add, z, n, s, f);
}
zip_error_t* zip_file_get_error(zip_file_t* a) {
  TALONIX_REPASSAR(zip_file_get_error, a);
}
int zip_file_get_external_attributes(zip_t* z, zip_uint64_t i, zip_flags_t f, zip_uint8_t* s, zip_uint32_t* a) {
  TALONIX_REPASSAR(zip_file_get_external_attributes, z, i, f, s, a);
}
int zip_file_set_encryption(zip_t* z, zip_uint64_t i, zip_uint16_t m, const char* p) {
  TALONIX_REPASSAR(zip_file_set_encryption, z, i, m, p);
}
int zip_file_set_mtime(zip_t* z, zip_uint64_t i, time_t t, zip_flags_t f) {
  TALONIX_REPASSAR(zip_file_set_mtime, z, i, t, f);
}
const char* zip_file_strerror(zip_file_t* a) {
  TALONIX_REPASSAR(zip_file_strerror, a);
}
zip_file_t* zip_fopen_index(zip_t* z, zip_uint64_t i, zip_flags_t f) {
  TALONIX_REPASSAR(zip_fopen_index, z, i, f);
}
zip_int64_t zip_fread(zip_file_t* a, void* b, zip_uint64_t n) {
  TALONIX_REPASSAR(zip_fread, a, b, n);
}
zip_error_t* zip_get_error(zip_t* z) {
  TALONIX_REPASSAR(zip_get_error, z);
}
const char* zip_get_name(zip_t* z, zip_uint64_t i, zip_flags_t f) {
  TALONIX_REPASSAR(zip_get_name, z, i, f);
}
zip_int64_t zip_get_num_entries(zip_t* z, zip_flags_t f) {
  TALONIX_REPASSAR(zip_get_num_entries, z, f);
}
const char* zip_libzip_version() {
  TALONIX_REPASSAR(zip_libzip_version);
}
zip_int64_t zip_name_locate(zip_t* z, const char* n, zip_flags_t f) {
  TALONIX_REPASSAR(zip_name_locate, z, n, f);
}
zip_t* zip_open(const char* c, int f, int* e) {
  TALONIX_REPASSAR(zip_open, c, f, e);
}
int zip_register_cancel_callback_with_state(zip_t* z, zip_cancel_callback c, void (*l)(void*), void* d) {
  TALONIX_REPASSAR(zip_register_cancel_callback_with_state, z, c, l, d);
}
int zip_register_progress_callback_with_state(zip_t* z, double p, zip_progress_callback c, void (*l)(void*), void* d) {
  TALONIX_REPASSAR(zip_register_progress_callback_with_state, z, p, c, l, d);
}
int zip_set_archive_comment(zip_t* z, const char* c, zip_uint16_t n) {
  TALONIX_REPASSAR(zip_set_archive_comment, z, c, n);
}
int zip_set_default_password(zip_t* z, const char* p) {
  TALONIX_REPASSAR(zip_set_default_password, z, p);
}
int zip_set_file_compression(zip_t* z, zip_uint64_t i, zip_int32_t m, zip_uint32_t n) {
  TALONIX_REPASSAR(zip_set_file_compression, z, i, m, n);
}
zip_source_t* zip_source_buffer(zip_t* z, const void* d, zip_uint64_t n, int f) {
  TALONIX_REPASSAR(zip_source_buffer, z, d, n, f);
}
zip_source_t* zip_source_file(zip_t* z, const char* c, zip_uint64_t i, zip_int64_t n) {
  TALONIX_REPASSAR(zip_source_file, z, c, i, n);
}
void zip_source_free(zip_source_t* s) {
  TALONIX_REPASSAR(zip_source_free, s);
}
int zip_stat_index(zip_t* z, zip_uint64_t i, zip_flags_t f, zip_stat_t* e) {
  TALONIX_REPASSAR(zip_stat_index, z, i, f, e);
}
const char* zip_strerror(zip_t* z) {
  TALONIX_REPASSAR(zip_strerror, z);
}

}  // extern "C"
