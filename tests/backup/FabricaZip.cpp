#include "tests/backup/FabricaZip.h"

#include <QFile>
#include <QStringList>

#include <zip.h>

namespace FabricaZip {

bool criar(const QString& caminho, const QList<Entrada>& entradas) {
  QFile::remove(caminho);
  int erro = 0;
  zip_t* arquivo = zip_open(QFile::encodeName(caminho).constData(), ZIP_CREATE | ZIP_TRUNCATE, &erro);
  if (arquivo == nullptr)
    return false;
  for (const Entrada& e : entradas) {
    const QByteArray nome = e.nome.toUtf8();
    zip_int64_t indice = -1;
    if (e.nome.endsWith(QLatin1Char('/'))) {
      indice = zip_dir_add(arquivo, nome.constData(), ZIP_FL_ENC_UTF_8);
    } else {
      // `entradas` outlives the closing of the archive, when libzip reads the data.
      zip_source_t* fonte =
          zip_source_buffer(arquivo, e.dados.constData(), static_cast<zip_uint64_t>(e.dados.size()), 0);
      indice = zip_file_add(arquivo, nome.constData(), fonte, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
    }
    if (indice < 0 || (e.modo != 0 && zip_file_set_external_attributes(arquivo, static_cast<zip_uint64_t>(indice), 0,
                                                                       ZIP_OPSYS_UNIX, e.modo << 16) != 0)) {
      zip_discard(arquivo);
      return false;
    }
  }
  return zip_close(arquivo) == 0;
}

QStringList nomes(const QString& caminho) {
  QStringList lista;
  zip_t* arquivo = zip_open(QFile::encodeName(caminho).constData(), ZIP_RDONLY, nullptr);
  if (arquivo == nullptr)
    return lista;
  for (zip_int64_t i = 0; i < zip_get_num_entries(arquivo, 0); ++i)
    lista.append(QString::fromUtf8(zip_get_name(arquivo, static_cast<zip_uint64_t>(i), 0)));
  zip_discard(arquivo);
  return lista;
}

QByteArray ler(const QString& caminho, const QString& nome) {
  zip_t* arquivo = zip_open(QFile::encodeName(caminho).constData(), ZIP_RDONLY, nullptr);
  if (arquivo == nullptr)
    return {};
  QByteArray dados;
  zip_file_t* entrada = zip_fopen(arquivo, nome.toUtf8().constData(), 0);
  if (entrada != nullptr) {
    dados = QByteArray("");
    char bloco[4096];
    zip_int64_t n = 0;
    while ((n = zip_fread(entrada, bloco, sizeof bloco)) > 0)
      dados.append(bloco, static_cast<qsizetype>(n));
    zip_fclose(entrada);
  }
  zip_discard(arquivo);
  return dados;
}

QByteArray conteudo(const QString& caminho) {
  QFile arquivo(caminho);
  if (!arquivo.open(QIODevice::ReadOnly))
    return {};
  return arquivo.readAll();
}

}  // namespace FabricaZip
