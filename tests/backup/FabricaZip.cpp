#include "tests/backup/FabricaZip.h"

#include <QFile>
#include <QStringList>

#include <zip.h>
#include <zlib.h>

#include <algorithm>

namespace FabricaZip {
namespace {

void poe(QByteArray& saida, quint64 valor, int bytes) {
  for (int i = 0; i < bytes; ++i)
    saida.append(static_cast<char>((valor >> (8 * i)) & 0xff));
}

struct Cabecalho {
  quint64 tamanho = 0;
  quint32 crc = 0;
  bool zip64 = false;
};

Cabecalho cabecalho(const EntradaBruta& e) {
  Cabecalho c;
  c.tamanho = e.tamanho < 0 ? static_cast<quint64>(e.dados.size()) : static_cast<quint64>(e.tamanho);
  c.crc = static_cast<quint32>(
      crc32(0, reinterpret_cast<const Bytef*>(e.dados.constData()), static_cast<uInt>(e.dados.size())));
  c.zip64 = c.tamanho >= 0xffffffffu;
  return c;
}

// The fields local and central headers share, from "version needed" to the extra length.
void comuns(QByteArray& saida, const EntradaBruta& e, const Cabecalho& c, int extra) {
  poe(saida, c.zip64 ? 45 : 20, 2);
  poe(saida, 0x0800, 2);  // UTF-8 names
  poe(saida, e.deflate ? 8 : 0, 2);
  poe(saida, 0x5021, 4);  // 2020-01-01 04:01
  poe(saida, c.crc, 4);
  poe(saida, c.zip64 ? 0xffffffffu : static_cast<quint64>(e.dados.size()), 4);
  poe(saida, c.zip64 ? 0xffffffffu : c.tamanho, 4);
  poe(saida, static_cast<quint64>(e.nome.toUtf8().size()), 2);
  poe(saida, static_cast<quint64>(extra), 2);
}

void extra64(QByteArray& saida, const EntradaBruta& e, const Cabecalho& c) {
  if (!c.zip64)
    return;
  poe(saida, 0x0001, 2);
  poe(saida, 16, 2);
  poe(saida, c.tamanho, 8);
  poe(saida, static_cast<quint64>(e.dados.size()), 8);
}

}  // namespace

QByteArray local(const EntradaBruta& e) {
  const Cabecalho c = cabecalho(e);
  QByteArray saida;
  poe(saida, 0x04034b50, 4);
  comuns(saida, e, c, c.zip64 ? 20 : 0);
  saida.append(e.nome.toUtf8());
  extra64(saida, e, c);
  return saida + e.dados;
}

bool criarBruto(const QString& caminho, const QList<EntradaBruta>& entradas) {
  QByteArray arquivo, central;
  for (const EntradaBruta& e : entradas) {
    const qint64 posicao = e.posicao >= 0 ? e.posicao : arquivo.size();
    if (e.posicao < 0)
      arquivo += local(e);
    const Cabecalho c = cabecalho(e);
    poe(central, 0x02014b50, 4);
    poe(central, 0x031e, 2);  // made on Unix
    comuns(central, e, c, c.zip64 ? 20 : 0);
    poe(central, 0, 2);  // comment
    poe(central, 0, 2);  // disk
    poe(central, 0, 2);  // internal attributes
    poe(central, 0100644u << 16, 4);
    poe(central, static_cast<quint64>(posicao), 4);
    central.append(e.nome.toUtf8());
    extra64(central, e, c);
  }
  // With a Zip64 entry the end record takes the Zip64 form too, so that both are read.
  const bool zip64 =
      std::any_of(entradas.cbegin(), entradas.cend(), [](const EntradaBruta& e) { return cabecalho(e).zip64; });
  const auto quantas = static_cast<quint64>(entradas.size());
  QByteArray fim;
  if (zip64) {
    const auto posicaoFim64 = static_cast<quint64>(arquivo.size() + central.size());
    poe(fim, 0x06064b50, 4);
    poe(fim, 44, 8);  // the record's size after this field
    poe(fim, 0x032d, 2);
    poe(fim, 45, 2);
    poe(fim, 0, 8);  // disks
    poe(fim, quantas, 8);
    poe(fim, quantas, 8);
    poe(fim, static_cast<quint64>(central.size()), 8);
    poe(fim, static_cast<quint64>(arquivo.size()), 8);
    poe(fim, 0x07064b50, 4);
    poe(fim, 0, 4);
    poe(fim, posicaoFim64, 8);
    poe(fim, 1, 4);
  }
  poe(fim, 0x06054b50, 4);
  poe(fim, 0, 4);  // disks
  poe(fim, zip64 ? 0xffff : quantas, 2);
  poe(fim, zip64 ? 0xffff : quantas, 2);
  poe(fim, zip64 ? 0xffffffffu : static_cast<quint64>(central.size()), 4);
  poe(fim, zip64 ? 0xffffffffu : static_cast<quint64>(arquivo.size()), 4);
  poe(fim, 0, 2);
  QFile saida(caminho);
  return saida.open(QIODevice::WriteOnly | QIODevice::Truncate) && saida.write(arquivo + central + fim) >= 0;
}

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
