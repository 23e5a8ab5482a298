#include "backup/mZip.h"

#include "backup/BibliotecaZip.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <zip.h>

#include <list>

namespace mZip {
namespace {

// One file (or folder) to put into the archive, and the name it gets there.
struct Item {
  QString caminho;
  QString nome;
  bool pasta = false;
};

bool temCuringa(const QString& texto) {
  return texto.contains(QLatin1Char('*')) || texto.contains(QLatin1Char('?')) || texto.contains(QLatin1Char('['));
}

QRegularExpression curinga(const QString& padrao) {
  return QRegularExpression(
      QRegularExpression::wildcardToRegularExpression(padrao, QRegularExpression::UnanchoredWildcardConversion));
}

bool casa(const QRegularExpression& padrao, const QString& nome) {
  const QRegularExpressionMatch m = padrao.match(nome);
  return m.hasMatch() && m.capturedStart() == 0 && m.capturedLength() == nome.size();
}

// The name an entry gets for a file given as `relativo` (as the pattern spelled it):
// without drive, root or "./", and without the folders when they are dropped.
QString nomeEntrada(QString relativo, const OpcoesZip& o, bool pasta) {
  relativo.replace(QLatin1Char('\\'), QLatin1Char('/'));
  if (relativo.size() >= 2 && relativo.at(1) == QLatin1Char(':'))
    relativo.remove(0, 2);
  while (relativo.startsWith(QLatin1Char('/')) || relativo.startsWith(QStringLiteral("./")))
    relativo.remove(0, relativo.startsWith(QLatin1Char('/')) ? 1 : 2);
  if (o.descartarPastas != 0)
    relativo = relativo.section(QLatin1Char('/'), -1);
  if (pasta && !relativo.endsWith(QLatin1Char('/')))
    relativo += QLatin1Char('/');
  return relativo;
}

class Coleta {
public:
  Coleta(const OpcoesZip& o, const QString& arquivoZip)
      : o_(o), base_(o.pastaBase.trimmed()), zip_(QFileInfo(arquivoZip).absoluteFilePath()) {}

  void especificacao(const QString& spec) {
    const QString caminho = QDir::isRelativePath(spec) && !base_.isEmpty() ? QDir(base_).filePath(spec) : spec;
    const QFileInfo info(caminho);
    if (temCuringa(info.fileName())) {
      const QString prefixo = spec.left(spec.size() - info.fileName().size());
      percorrer(info.absolutePath(), prefixo, curinga(info.fileName()));
    } else if (info.isDir()) {
      const QString prefixo = spec.endsWith(QLatin1Char('/')) ? spec : spec + QLatin1Char('/');
      pasta(info.absoluteFilePath(), prefixo);
      if (o_.recursao != 0)
        percorrer(info.absoluteFilePath(), prefixo, QRegularExpression());
    } else if (info.isFile()) {
      arquivo(info, spec);
    }
  }

  QList<Item> itens;

private:
  void arquivo(const QFileInfo& info, const QString& relativo) {
    if (info.absoluteFilePath() == zip_)
      return;  // the archive being written is never put inside itself
    itens.append({info.absoluteFilePath(), nomeEntrada(relativo, o_, false), false});
  }

  void pasta(const QString& caminho, const QString& relativo) {
    if (o_.semEntradasPasta == 0 && o_.descartarPastas == 0)
      itens.append({caminho, nomeEntrada(relativo, o_, true), true});
  }

  // The files of `raiz` whose names match `padrao` (every file when it is empty), and those of
  // its subfolders when recursion is on.
  void percorrer(const QString& raiz, const QString& prefixo, const QRegularExpression& padrao) {
    QDir::Filters filtros = QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot;
    if (o_.sistemaEOcultos != 0)
      filtros |= QDir::Hidden | QDir::System;
    QDirIterator it(raiz, filtros, o_.recursao != 0 ? QDirIterator::Subdirectories : QDirIterator::NoIteratorFlags);
    const QDir dir(raiz);
    QList<QFileInfo> encontrados;
    while (it.hasNext()) {
      it.next();
      encontrados.append(it.fileInfo());
    }
    std::sort(encontrados.begin(), encontrados.end(),
              [](const QFileInfo& a, const QFileInfo& b) { return a.filePath() < b.filePath(); });
    for (const QFileInfo& info : encontrados) {
      const QString relativo = prefixo + dir.relativeFilePath(info.absoluteFilePath());
      if (info.isDir()) {
        if (o_.recursao != 0)
          pasta(info.absoluteFilePath(), relativo);
      } else if (!padrao.isValid() || padrao.pattern().isEmpty() || casa(padrao, info.fileName())) {
        arquivo(info, relativo);
      }
    }
  }

  const OpcoesZip& o_;
  QString base_;
  QString zip_;
};

QByteArray converterFinsDeLinha(QByteArray dados, const OpcoesZip& o) {
  if (o.crlfParaLf != 0)
    dados.replace("\r\n", "\n");
  else if (o.lfParaCrlf != 0)
    dados.replace("\r\n", "\n").replace("\n", "\r\n");
  return dados;
}

// The entry at `indice` is older than the file `info` (the zip time keeps two-second steps).
bool arquivoMaisNovo(zip_t* arquivo, zip_int64_t indice, const QFileInfo& info) {
  zip_stat_t estado;
  if (zip_stat_index(arquivo, static_cast<zip_uint64_t>(indice), 0, &estado) != 0 ||
      (estado.valid & ZIP_STAT_MTIME) == 0)
    return true;
  return info.lastModified().toSecsSinceEpoch() > static_cast<qint64>(estado.mtime) + 1;
}

class Execucao {
public:
  Execucao(const QString& arquivoZip, const QStringList& especificacoes, const OpcoesZip& o, const EventosZip& eventos)
      : arquivoZip_(arquivoZip), especificacoes_(especificacoes), o_(o), eventos_(eventos) {}

  int executar() {
    Coleta coleta(o_, arquivoZip_);
    for (const QString& spec : especificacoes_)
      coleta.especificacao(spec.trimmed());

    if (const QString falta = BibliotecaZip::Carregar(); !falta.isEmpty()) {
      mensagem(falta);
      return ZIP_ER_INTERNAL;
    }
    int erro = 0;
    arquivo_ = zip_open(QFile::encodeName(arquivoZip_).constData(), o_.excluirEntradas != 0 ? 0 : ZIP_CREATE, &erro);
    if (arquivo_ == nullptr) {
      zip_error_t detalhe;
      zip_error_init_with_code(&detalhe, erro);
      mensagem(QString::fromLocal8Bit(zip_error_strerror(&detalhe)));
      zip_error_fini(&detalhe);
      return erro;
    }
    zip_register_progress_callback_with_state(arquivo_, 0.01, &Execucao::progresso, nullptr, this);
    zip_register_cancel_callback_with_state(arquivo_, &Execucao::cancelar, nullptr, this);

    const int codigo = o_.excluirEntradas != 0 ? excluir() : adicionar(coleta.itens);
    if (codigo != 0) {
      zip_discard(arquivo_);
      return codigo;
    }
    if (zip_close(arquivo_) != 0) {
      const int falha = zip_error_code_zip(zip_get_error(arquivo_));
      mensagem(QString::fromLocal8Bit(zip_strerror(arquivo_)));
      zip_discard(arquivo_);
      return falha != 0 ? falha : ZIP_ER_INTERNAL;
    }
    return 0;
  }

private:
  void mensagem(const QString& texto) {
    if (o_.silencioso == 0 && eventos_.progresso)
      eventos_.progresso(ultimo_, texto);
  }

  int falhaLibzip() {
    mensagem(QString::fromLocal8Bit(zip_strerror(arquivo_)));
    const int codigo = zip_error_code_zip(zip_get_error(arquivo_));
    return codigo != 0 ? codigo : ZIP_ER_INTERNAL;
  }

  int adicionar(const QList<Item>& itens) {
    if (itens.isEmpty()) {
      mensagem(QStringLiteral("nada a compactar"));
      return ZIP_ER_NOENT;
    }
    QByteArray senha;
    if (o_.criptografar != 0) {
      QString texto;
      if (eventos_.senha)
        eventos_.senha(texto);
      if (texto.isEmpty())
        return ZIP_ER_NOPASSWD;
      senha = texto.toUtf8();
    }
    if (o_.comentario != 0) {
      QString comentario;
      if (eventos_.comentario)
        eventos_.comentario(comentario);
      const QByteArray texto = comentario.toUtf8().left(0xffff);
      if (zip_set_archive_comment(arquivo_, texto.constData(), static_cast<zip_uint16_t>(texto.size())) != 0)
        return falhaLibzip();
    }
    for (const Item& item : itens) {
      const QByteArray nome = item.nome.toUtf8();
      const zip_int64_t existente = zip_name_locate(arquivo_, nome.constData(), ZIP_FL_ENC_UTF_8);
      if (item.pasta) {
        if (existente < 0 && zip_dir_add(arquivo_, nome.constData(), ZIP_FL_ENC_UTF_8) < 0)
          return falhaLibzip();
        continue;
      }
      const QFileInfo info(item.caminho);
      const bool maisNovo = existente < 0 || arquivoMaisNovo(arquivo_, existente, info);
      if ((o_.renovar != 0 && (existente < 0 || !maisNovo)) || (o_.atualizar != 0 && !maisNovo))
        continue;
      const int codigo = adicionarArquivo(item, info, nome, senha);
      if (codigo != 0)
        return codigo;
    }
    return 0;
  }

  int adicionarArquivo(const Item& item, const QFileInfo& info, const QByteArray& nome, const QByteArray& senha) {
    zip_source_t* fonte = nullptr;
    if (o_.crlfParaLf != 0 || o_.lfParaCrlf != 0) {
      QFile arquivo(item.caminho);
      if (!arquivo.open(QIODevice::ReadOnly)) {
        mensagem(QStringLiteral("não foi possível ler ") + item.caminho);
        return ZIP_ER_READ;
      }
      // libzip reads the buffer when the archive is closed: it is kept until then.
      const QByteArray& dados = convertidos_.emplace_back(converterFinsDeLinha(arquivo.readAll(), o_));
      fonte = zip_source_buffer(arquivo_, dados.constData(), static_cast<zip_uint64_t>(dados.size()), 0);
    } else {
      fonte = zip_source_file(arquivo_, QFile::encodeName(item.caminho).constData(), 0, -1);
    }
    if (fonte == nullptr)
      return falhaLibzip();
    const zip_int64_t indice = zip_file_add(arquivo_, nome.constData(), fonte, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8);
    if (indice < 0) {
      zip_source_free(fonte);
      return falhaLibzip();
    }
    const auto i = static_cast<zip_uint64_t>(indice);
    if (zip_set_file_compression(arquivo_, i, ZIP_CM_DEFLATE, NivelCompressao) != 0 ||
        zip_file_set_mtime(arquivo_, i, static_cast<time_t>(info.lastModified().toSecsSinceEpoch()), 0) != 0 ||
        (!senha.isEmpty() && zip_file_set_encryption(arquivo_, i, ZIP_EM_AES_256, senha.constData()) != 0))
      return falhaLibzip();
    mensagem(QStringLiteral("adicionando: ") + item.nome);
    return 0;
  }

  int excluir() {
    int excluidas = 0;
    const zip_int64_t total = zip_get_num_entries(arquivo_, 0);
    for (const QString& spec : especificacoes_) {
      const QRegularExpression padrao = curinga(QString(spec.trimmed()).replace(QLatin1Char('\\'), QLatin1Char('/')));
      for (zip_int64_t i = 0; i < total; ++i) {
        const char* nome = zip_get_name(arquivo_, static_cast<zip_uint64_t>(i), ZIP_FL_ENC_GUESS);
        if (nome == nullptr || !casa(padrao, QString::fromUtf8(nome)))
          continue;
        const QString texto = QString::fromUtf8(nome);
        if (zip_delete(arquivo_, static_cast<zip_uint64_t>(i)) != 0)
          return falhaLibzip();
        mensagem(QStringLiteral("excluindo: ") + texto);
        ++excluidas;
      }
    }
    if (excluidas == 0) {
      mensagem(QStringLiteral("nada a excluir"));
      return ZIP_ER_NOENT;
    }
    return 0;
  }

  static void progresso(zip_t*, double fracao, void* estado) {
    auto* self = static_cast<Execucao*>(estado);
    const int quantidade = static_cast<int>(fracao * 100.0 + 0.5);
    if (quantidade == self->ultimo_)
      return;
    self->ultimo_ = quantidade;
    if (self->eventos_.progresso)
      self->eventos_.progresso(quantidade, QString());
  }

  static int cancelar(zip_t*, void* estado) {
    auto* self = static_cast<Execucao*>(estado);
    bool parar = false;
    if (self->eventos_.cancelar)
      self->eventos_.cancelar(parar);
    return parar ? 1 : 0;
  }

  const QString& arquivoZip_;
  const QStringList& especificacoes_;
  const OpcoesZip& o_;
  const EventosZip& eventos_;
  zip_t* arquivo_ = nullptr;
  int ultimo_ = 0;
  std::list<QByteArray> convertidos_;
};

}  // namespace

int RunZip(const QString& arquivoZip, const QStringList& especificacoes, const OpcoesZip& opcoes,
           const EventosZip& eventos) {
  return Execucao(arquivoZip, especificacoes, opcoes, eventos).executar();
}

}  // namespace mZip
