#include "backup/mUnzip.h"

#include "backup/BibliotecaZip.h"
#include "backup/RegiaoEntradas.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

#include <zip.h>

#include <cstring>
#include <memory>

namespace mUnzip {
namespace {

// Codes of the refusals that come before anything is written (libzip's own codes stay below).
constexpr int kNomeInseguro = 101;
constexpr int kEntradaNaoRegular = 102;
constexpr int kGrandeDemais = 103;
constexpr int kSemSenha = 104;
constexpr int kGravacao = 105;
constexpr int kSobreposicao = 106;
constexpr int kSemEspaco = 107;

// What an extraction leaves free on its disk beyond what it writes: a tenth more, and room for
// the files the program itself writes next (the database's journal, the settings).
constexpr qint64 kFolgaMinima = qint64(64) * 1024 * 1024;

// File types of the Unix mode kept in the high half of the external attributes.
constexpr zip_uint32_t kTipo = 0170000;
constexpr zip_uint32_t kArquivo = 0100000;
constexpr zip_uint32_t kPasta = 0040000;

// What one selected entry becomes in the target folder.
struct Destino {
  zip_uint64_t indice = 0;
  QString relativo;  ///< path below the target folder ("" for a folder entry that is skipped)
  qint64 tamanho = 0;
  QDateTime data;
  bool pasta = false;
};

QString textoErro(int codigo) {
  zip_error_t erro;
  zip_error_init_with_code(&erro, codigo);
  const QString texto = QString::fromLocal8Bit(zip_error_strerror(&erro));
  zip_error_fini(&erro);
  return texto;
}

// A name that stays inside the target folder: not absolute, no drive, no "..".
bool nomeSeguro(const QString& nome) {
  if (nome.isEmpty() || nome.startsWith(QLatin1Char('/')) || nome.contains(QLatin1Char(':')) || nome.contains(QChar(0)))
    return false;
  const QStringList partes = nome.split(QLatin1Char('/'), Qt::SkipEmptyParts);
  return std::none_of(partes.cbegin(), partes.cend(), [](const QString& p) { return p == QLatin1String(".."); });
}

QString metodo(zip_uint16_t m) {
  switch (m) {
  case ZIP_CM_STORE:
    return QStringLiteral("Stored");
  case ZIP_CM_DEFLATE:
    return QStringLiteral("Deflated");
  case ZIP_CM_DEFLATE64:
    return QStringLiteral("Deflate64");
  case ZIP_CM_BZIP2:
    return QStringLiteral("BZip2");
  case ZIP_CM_LZMA:
    return QStringLiteral("LZMA");
  case ZIP_CM_XZ:
    return QStringLiteral("XZ");
  default:
    return QStringLiteral("Método ") + QString::number(m);
  }
}

// `dados` with every line end that is a bare LF written as CR LF; `anterior` carries the last
// character across blocks.
QByteArray comFinsCrlf(const char* dados, qint64 tamanho, char& anterior) {
  QByteArray saida;
  saida.reserve(tamanho + tamanho / 16);
  for (qint64 i = 0; i < tamanho; ++i) {
    if (dados[i] == '\n' && anterior != '\r')
      saida.append('\r');
    saida.append(dados[i]);
    anterior = dados[i];
  }
  return saida;
}

class Execucao {
public:
  Execucao(const OpcoesUnzip& o, const QStringList& incluir, const EventosUnzip& eventos)
      : o_(o), incluir_(incluir), eventos_(eventos) {}

  ~Execucao() {
    if (arquivo_ != nullptr)
      zip_discard(arquivo_);
  }

  int executar() {
    if (const QString falta = BibliotecaZip::Carregar(); !falta.isEmpty())
      return falha(ZIP_ER_INTERNAL, falta);
    int erro = 0;
    arquivo_ = zip_open(QFile::encodeName(o_.arquivoZip).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &erro);
    if (arquivo_ == nullptr)
      return falha(erro, textoErro(erro));
    // libzip's consistency check compares each local header with its central one, but not
    // where the entries lie: entries that share their bytes pass it.
    if (const QString sobreposicao = RegiaoEntradas::Conferir(o_.arquivoZip); !sobreposicao.isEmpty())
      return falha(kSobreposicao, sobreposicao);
    if (o_.listar != 0)
      return listar();

    QList<Destino> destinos;
    const int codigo = planejar(destinos);
    if (codigo != 0)
      return codigo;
    for (const Destino& d : destinos) {
      const int resultado = extrair(d);
      if (resultado != 0)
        return resultado;
    }
    return 0;
  }

private:
  int falha(int codigo, const QString& texto) {
    if (eventos_.mensagem)
      eventos_.mensagem(texto);
    return codigo;
  }

  int falhaLibzip() {
    const int codigo = zip_error_code_zip(zip_get_error(arquivo_));
    return falha(codigo != 0 ? codigo : ZIP_ER_INTERNAL, QString::fromLocal8Bit(zip_strerror(arquivo_)));
  }

  int listar() {
    const zip_int64_t total = zip_get_num_entries(arquivo_, 0);
    for (zip_int64_t i = 0; i < total; ++i) {
      zip_stat_t estado;
      if (zip_stat_index(arquivo_, static_cast<zip_uint64_t>(i), 0, &estado) != 0)
        return falhaLibzip();
      // A backslash separates folders, as archivers on Windows write it; extraction reads it the same way.
      const QString completo = QString::fromUtf8(estado.name).replace(QLatin1Char('\\'), QLatin1Char('/'));
      const QString semBarra = completo.endsWith(QLatin1Char('/')) ? completo.chopped(1) : completo;
      Entrada e;
      const qsizetype barra = semBarra.lastIndexOf(QLatin1Char('/'));
      if (completo.endsWith(QLatin1Char('/'))) {
        e.pasta = semBarra;
      } else {
        e.nome = semBarra.mid(barra + 1);
        e.pasta = barra < 0 ? QString() : semBarra.left(barra);
      }
      e.tamanho = static_cast<qint64>(estado.size);
      e.compactado = static_cast<qint64>(estado.comp_size);
      e.razao = e.tamanho > 0 ? static_cast<int>(100 - (e.compactado * 100) / e.tamanho) : 0;
      e.data = QDateTime::fromSecsSinceEpoch(static_cast<qint64>(estado.mtime));
      e.crc = estado.crc;
      e.metodo = metodo(estado.comp_method);
      e.criptografado = estado.encryption_method != ZIP_EM_NONE;
      if (eventos_.entrada)
        eventos_.entrada(e);
    }
    return 0;
  }

  bool incluido(const QString& nome) const {
    if (incluir_.isEmpty())
      return true;
    const Qt::CaseSensitivity caso = o_.diferenciarMaiusculas != 0 ? Qt::CaseSensitive : Qt::CaseInsensitive;
    return std::any_of(incluir_.cbegin(), incluir_.cend(),
                       [&](const QString& n) { return n.compare(nome, caso) == 0; });
  }

  // Every selected entry is checked before the first byte is written.
  int planejar(QList<Destino>& destinos) {
    qint64 total = 0;
    bool precisaSenha = false;
    const zip_int64_t quantidade = zip_get_num_entries(arquivo_, 0);
    for (zip_int64_t i = 0; i < quantidade; ++i) {
      const auto indice = static_cast<zip_uint64_t>(i);
      zip_stat_t estado;
      if (zip_stat_index(arquivo_, indice, 0, &estado) != 0)
        return falhaLibzip();
      const QString nome = QString::fromUtf8(estado.name).replace(QLatin1Char('\\'), QLatin1Char('/'));
      if (!incluido(nome))
        continue;
      if (!nomeSeguro(nome))
        return falha(kNomeInseguro, QStringLiteral("nome fora da pasta de destino: ") + nome);
      zip_uint8_t sistema = 0;
      zip_uint32_t atributos = 0;
      if (zip_file_get_external_attributes(arquivo_, indice, 0, &sistema, &atributos) != 0)
        return falhaLibzip();
      const zip_uint32_t tipo = (atributos >> 16) & kTipo;
      const bool pasta = nome.endsWith(QLatin1Char('/'));
      if (sistema == ZIP_OPSYS_UNIX && tipo != 0 && tipo != (pasta ? kPasta : kArquivo))
        return falha(kEntradaNaoRegular, QStringLiteral("entrada que não é arquivo comum: ") + nome);

      Destino d;
      d.indice = indice;
      d.pasta = pasta;
      d.tamanho = static_cast<qint64>(estado.size);
      d.data = QDateTime::fromSecsSinceEpoch(static_cast<qint64>(estado.mtime));
      d.relativo = o_.usarPastas != 0 ? nome : (pasta ? QString() : nome.section(QLatin1Char('/'), -1));
      if (o_.espacoParaSublinhado != 0)
        d.relativo.replace(QLatin1Char(' '), QLatin1Char('_'));
      if (d.relativo.isEmpty())
        continue;
      if (d.tamanho < 0 || d.tamanho > o_.limiteDescompactado - total)
        return falha(kGrandeDemais, QStringLiteral("o arquivo descompactado passaria do limite"));
      total += d.tamanho;
      precisaSenha = precisaSenha || estado.encryption_method != ZIP_EM_NONE;
      destinos.append(d);
    }
    if (o_.testar == 0 && !cabe(total))
      return falha(kSemEspaco, QStringLiteral("não há espaço livre bastante em %1 para os %2 MB descompactados")
                                   .arg(QDir::toNativeSeparators(o_.pasta))
                                   .arg(total / (1024 * 1024) + 1));
    if (precisaSenha) {
      QString senha;
      if (eventos_.senha)
        eventos_.senha(senha);
      if (senha.isEmpty())
        return falha(kSemSenha, QStringLiteral("senha não informada"));
      zip_set_default_password(arquivo_, senha.toUtf8().constData());
    }
    return 0;
  }

  // Whether `total` bytes fit the free space of the target folder's disk with room to spare.
  bool cabe(qint64 total) const {
    QFileInfo pasta(o_.pasta);
    while (!pasta.exists() && !pasta.isRoot() && pasta.absolutePath() != pasta.absoluteFilePath())
      pasta = QFileInfo(pasta.absolutePath());
    const QStorageInfo disco(pasta.absoluteFilePath());
    if (!disco.isValid())
      return true;  // nowhere to ask: the writes themselves will fail cleanly
    const qint64 livre = disco.bytesAvailable();
    return total <= livre && livre - total >= total / 10 + kFolgaMinima;
  }

  // Whether the entry may take the place of an existing file of the same name.
  bool substituir(const QFileInfo& existente, const Destino& d) {
    if (!existente.exists())
      return true;
    if (o_.somenteNovos != 0 && existente.lastModified() >= d.data)
      return false;
    if (o_.sobrescrever != 0)
      return true;
    bool sim = false;
    if (o_.perguntarSobrescrever != 0 && eventos_.sobrescrever)
      eventos_.sobrescrever(existente.filePath(), sim);
    return sim;
  }

  int extrair(const Destino& d) {
    const QString caminho = QDir(o_.pasta).filePath(d.relativo);
    if (d.pasta) {
      if (o_.testar == 0 && !QDir().mkpath(caminho))
        return falha(kGravacao, QStringLiteral("não foi possível criar a pasta ") + caminho);
      return 0;
    }
    const QFileInfo existente(caminho);
    if (o_.testar == 0 && !substituir(existente, d))
      return 0;
    if (o_.testar == 0 && !QDir().mkpath(existente.absolutePath()))
      return falha(kGravacao, QStringLiteral("não foi possível criar a pasta ") + existente.absolutePath());

    std::unique_ptr<zip_file_t, int (*)(zip_file_t*)> entrada(zip_fopen_index(arquivo_, d.indice, 0), &zip_fclose);
    if (!entrada)
      return falhaLibzip();
    QSaveFile saida(caminho);
    if (o_.testar == 0 && !saida.open(QIODevice::WriteOnly))
      return falha(kGravacao, QStringLiteral("não foi possível gravar ") + caminho);

    // Read to the end: libzip checks the CRC only when the last byte has been read.
    constexpr zip_uint64_t kBloco = 1 << 20;
    std::unique_ptr<char[]> bloco(new char[kBloco]);
    qint64 lidos = 0;
    // An entry whose first block holds no NUL byte is text, and gets CR LF line ends when asked.
    bool texto = false;
    char anterior = 0;
    for (;;) {
      const zip_int64_t n = zip_fread(entrada.get(), bloco.get(), kBloco);
      if (n < 0) {
        const int codigo = zip_error_code_zip(zip_file_get_error(entrada.get()));
        return falha(codigo != 0 ? codigo : ZIP_ER_READ,
                     QString::fromLocal8Bit(zip_file_strerror(entrada.get())) + QStringLiteral(": ") + d.relativo);
      }
      if (n == 0)
        break;
      lidos += n;
      if (lidos > d.tamanho || lidos > o_.limiteDescompactado)
        return falha(kGrandeDemais, QStringLiteral("a entrada descompactada passaria do seu tamanho: ") + d.relativo);
      if (o_.crParaCrlf != 0 && lidos == n)
        texto = std::memchr(bloco.get(), 0, static_cast<std::size_t>(n)) == nullptr;
      if (o_.testar != 0)
        continue;
      const QByteArray dados = texto ? comFinsCrlf(bloco.get(), n, anterior) : QByteArray::fromRawData(bloco.get(), n);
      if (saida.write(dados) != dados.size())
        return falha(kGravacao, QStringLiteral("não foi possível gravar ") + caminho);
    }
    if (o_.testar != 0)
      return 0;
    if (!saida.commit())
      return falha(kGravacao, QStringLiteral("não foi possível gravar ") + caminho);
    QFile gravado(caminho);
    if (gravado.open(QIODevice::ReadWrite))
      gravado.setFileTime(d.data, QFileDevice::FileModificationTime);
    return 0;
  }

  const OpcoesUnzip& o_;
  const QStringList& incluir_;
  const EventosUnzip& eventos_;
  zip_t* arquivo_ = nullptr;
};

}  // namespace

int RunUnzip(const OpcoesUnzip& opcoes, const QStringList& incluir, const EventosUnzip& eventos) {
  return Execucao(opcoes, incluir, eventos).executar();
}

}  // namespace mUnzip
