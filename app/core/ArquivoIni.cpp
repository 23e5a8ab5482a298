#include "app/core/ArquivoIni.h"

#include <QFile>
#include <QList>
#include <QSaveFile>

namespace {

// One line of the file with its ending kept apart, so that rewriting a file can give back every
// untouched line exactly as it was.
struct Linha {
  QByteArray texto;
  QByteArray fim;
};

QList<Linha> dividirLinhas(const QByteArray& conteudo) {
  QList<Linha> linhas;
  qsizetype inicio = 0;
  while (inicio < conteudo.size()) {
    qsizetype nl = conteudo.indexOf('\n', inicio);
    if (nl < 0) {
      linhas.append({conteudo.mid(inicio), {}});
      break;
    }
    qsizetype fimTexto = nl;
    if (fimTexto > inicio && conteudo.at(fimTexto - 1) == '\r')
      --fimTexto;
    linhas.append({conteudo.mid(inicio, fimTexto - inicio), conteudo.mid(fimTexto, nl + 1 - fimTexto)});
    inicio = nl + 1;
  }
  return linhas;
}

// The section named by a "[name]" line, or a null array for any other line.
QByteArray nomeSecao(const QByteArray& linha) {
  const QByteArray t = linha.trimmed();
  if (t.size() < 2 || !t.startsWith('['))
    return {};
  const qsizetype fecha = t.indexOf(']');
  if (fecha < 0)
    return {};
  return t.mid(1, fecha - 1).trimmed();
}

// The key of a "key=value" line, or a null array for a line without "=" or a comment.
QByteArray nomeChave(const QByteArray& linha) {
  const QByteArray t = linha.trimmed();
  if (t.startsWith(';') || t.startsWith('['))
    return {};
  const qsizetype igual = t.indexOf('=');
  if (igual < 0)
    return {};
  return t.left(igual).trimmed();
}

bool mesmoNome(const QByteArray& a, const QString& b) {
  return QString::fromUtf8(a).compare(b, Qt::CaseInsensitive) == 0;
}

bool temQuebraDeLinha(const QString& texto) {
  return texto.contains(QLatin1Char('\n')) || texto.contains(QLatin1Char('\r'));
}

}  // namespace

QString ArquivoIni::ler(const QString& secao, const QString& chave, const QString& padrao) const {
  QFile arquivo(caminho_);
  if (!arquivo.open(QIODevice::ReadOnly))
    return padrao.trimmed();
  const QList<Linha> linhas = dividirLinhas(arquivo.readAll());
  bool naSecao = false;
  for (const Linha& linha : linhas) {
    const QByteArray secaoLinha = nomeSecao(linha.texto);
    if (!secaoLinha.isNull()) {
      // The first section of the name is the one that counts.
      if (naSecao)
        break;
      naSecao = mesmoNome(secaoLinha, secao);
      continue;
    }
    if (!naSecao)
      continue;
    const QByteArray chaveLinha = nomeChave(linha.texto);
    if (!chaveLinha.isNull() && mesmoNome(chaveLinha, chave)) {
      const QByteArray t = linha.texto.trimmed();
      const QString valor = QString::fromUtf8(t.mid(t.indexOf('=') + 1)).trimmed();
      return valor.left(TamanhoMaximoValor).trimmed();
    }
  }
  return padrao.trimmed();
}

QByteArray ArquivoIni::comChave(const QByteArray& conteudo, const QString& secao, const QString& chave,
                                const QString& valor) {
  QList<Linha> linhas = dividirLinhas(conteudo);
  const QByteArray quebra = conteudo.contains("\r\n") || conteudo.isEmpty() ? QByteArray("\r\n") : QByteArray("\n");
  const QByteArray novaLinha = chave.toUtf8() + '=' + valor.toUtf8();

  qsizetype inicioSecao = -1;
  qsizetype ultimaDaSecao = -1;  // last line of the section that is not blank
  for (qsizetype i = 0; i < linhas.size(); ++i) {
    const QByteArray secaoLinha = nomeSecao(linhas[i].texto);
    if (!secaoLinha.isNull()) {
      if (inicioSecao >= 0)
        break;
      if (mesmoNome(secaoLinha, secao)) {
        inicioSecao = i;
        ultimaDaSecao = i;
      }
      continue;
    }
    if (inicioSecao < 0)
      continue;
    if (!linhas[i].texto.trimmed().isEmpty())
      ultimaDaSecao = i;
    const QByteArray chaveLinha = nomeChave(linhas[i].texto);
    if (!chaveLinha.isNull() && mesmoNome(chaveLinha, chave)) {
      linhas[i].texto = novaLinha;
      inicioSecao = -2;  // done
      break;
    }
  }

  if (inicioSecao >= 0) {
    // The key is new to an existing section: it goes right after the section's last line.
    Linha& anterior = linhas[ultimaDaSecao];
    if (anterior.fim.isEmpty())
      anterior.fim = quebra;
    linhas.insert(ultimaDaSecao + 1, {novaLinha, quebra});
  } else if (inicioSecao == -1) {
    if (!linhas.isEmpty() && linhas.last().fim.isEmpty())
      linhas.last().fim = quebra;
    linhas.append({'[' + secao.toUtf8() + ']', quebra});
    linhas.append({novaLinha, quebra});
  }

  QByteArray saida;
  saida.reserve(conteudo.size() + novaLinha.size() + secao.size() + 8);
  for (const Linha& linha : linhas)
    saida += linha.texto + linha.fim;
  return saida;
}

bool ArquivoIni::gravar(const QString& secao, const QString& chave, const QString& valor) const {
  // What follows a line break would be read back as lines of their own: a folder named
  // "x\n[banco]\ntipo=postgresql" would add a section that points the next start at a server.
  if (temQuebraDeLinha(secao) || temQuebraDeLinha(chave) || temQuebraDeLinha(valor))
    return false;
  QByteArray conteudo;
  {
    QFile atual(caminho_);
    if (atual.exists()) {
      if (!atual.open(QIODevice::ReadOnly))
        return false;
      conteudo = atual.readAll();
    }
  }
  QSaveFile arquivo(caminho_);
  if (!arquivo.open(QIODevice::WriteOnly))
    return false;
  arquivo.write(comChave(conteudo, secao, chave, valor));
  return arquivo.commit();
}
