#include "backup/RegiaoEntradas.h"

#include <QFile>

#include <algorithm>
#include <vector>

namespace RegiaoEntradas {
namespace {

constexpr quint32 kAssinaturaFim = 0x06054b50;
constexpr quint32 kAssinaturaLocalizador64 = 0x07064b50;
constexpr quint32 kAssinaturaFim64 = 0x06064b50;
constexpr quint32 kAssinaturaCentral = 0x02014b50;
constexpr quint32 kAssinaturaLocal = 0x04034b50;
constexpr qint64 kTamanhoFim = 22;
constexpr qint64 kTamanhoLocalizador64 = 20;
constexpr qint64 kTamanhoFim64 = 56;
constexpr qint64 kTamanhoCentral = 46;
constexpr qint64 kTamanhoLocal = 30;
constexpr qint64 kMaiorComentario = 0xffff;
constexpr quint16 kExtraZip64 = 0x0001;
// Far more than the central headers of any backup; the directory is read whole into memory.
constexpr quint64 kMaiorDiretorio = quint64(64) * 1024 * 1024;

quint64 lerLE(const QByteArray& dados, qint64 posicao, int bytes) {
  quint64 valor = 0;
  for (int i = bytes - 1; i >= 0; --i)
    valor = (valor << 8) | static_cast<quint8>(dados.at(posicao + i));
  return valor;
}

// One entry's bytes in the file: [inicio, fim).
struct Regiao {
  quint64 inicio = 0;
  quint64 fim = 0;
};

class Leitura {
public:
  explicit Leitura(const QString& caminho) : arquivo_(caminho) {}

  QString conferir() {
    if (!arquivo_.open(QIODevice::ReadOnly))
      return QStringLiteral("não foi possível ler o arquivo");
    tamanho_ = static_cast<quint64>(arquivo_.size());
    quint64 quantidade = 0, inicioDiretorio = 0, tamanhoDiretorio = 0;
    if (!lerFim(quantidade, inicioDiretorio, tamanhoDiretorio))
      return QStringLiteral("o diretório do arquivo zip está danificado");
    if (tamanhoDiretorio > kMaiorDiretorio)
      return QStringLiteral("o diretório do arquivo zip é grande demais");
    std::vector<Regiao> regioes;
    if (!lerDiretorio(quantidade, inicioDiretorio, tamanhoDiretorio, regioes))
      return QStringLiteral("o diretório do arquivo zip está danificado");
    std::sort(regioes.begin(), regioes.end(), [](const Regiao& a, const Regiao& b) { return a.inicio < b.inicio; });
    for (std::size_t i = 0; i < regioes.size(); ++i)
      if (regioes[i].fim > inicioDiretorio || (i > 0 && regioes[i].inicio < regioes[i - 1].fim))
        return QStringLiteral("as entradas do arquivo zip se sobrepõem");
    return {};
  }

private:
  bool ler(quint64 posicao, qint64 bytes, QByteArray& dados) {
    if (posicao > tamanho_ || static_cast<quint64>(bytes) > tamanho_ - posicao ||
        !arquivo_.seek(static_cast<qint64>(posicao)))
      return false;
    dados = arquivo_.read(bytes);
    return dados.size() == bytes;
  }

  // The end record (the last one in the file: the comment after it may hold the signature too),
  // and the Zip64 one when the counts or offsets do not fit the classic fields.
  bool lerFim(quint64& quantidade, quint64& inicio, quint64& tamanho) {
    const qint64 cauda = static_cast<qint64>(std::min<quint64>(tamanho_, kTamanhoFim + kMaiorComentario));
    QByteArray dados;
    if (cauda < kTamanhoFim || !ler(tamanho_ - static_cast<quint64>(cauda), cauda, dados))
      return false;
    qint64 fim = cauda - kTamanhoFim;
    while (fim >= 0 && lerLE(dados, fim, 4) != kAssinaturaFim)
      --fim;
    if (fim < 0)
      return false;
    quantidade = lerLE(dados, fim + 10, 2);
    tamanho = lerLE(dados, fim + 12, 4);
    inicio = lerLE(dados, fim + 16, 4);
    const quint64 posicaoFim = tamanho_ - static_cast<quint64>(cauda) + static_cast<quint64>(fim);
    if (quantidade != 0xffff && tamanho != 0xffffffff && inicio != 0xffffffff)
      return inicio <= posicaoFim && tamanho <= posicaoFim - inicio;

    QByteArray localizador, fim64;
    if (posicaoFim < kTamanhoLocalizador64 ||
        !ler(posicaoFim - kTamanhoLocalizador64, kTamanhoLocalizador64, localizador) ||
        lerLE(localizador, 0, 4) != kAssinaturaLocalizador64)
      return false;
    const quint64 posicaoFim64 = lerLE(localizador, 8, 8);
    if (!ler(posicaoFim64, kTamanhoFim64, fim64) || lerLE(fim64, 0, 4) != kAssinaturaFim64)
      return false;
    quantidade = lerLE(fim64, 32, 8);
    tamanho = lerLE(fim64, 40, 8);
    inicio = lerLE(fim64, 48, 8);
    return inicio <= posicaoFim64 && tamanho <= posicaoFim64 - inicio;
  }

  bool lerDiretorio(quint64 quantidade, quint64 inicio, quint64 tamanho, std::vector<Regiao>& regioes) {
    // Each central header takes at least 46 bytes: a count that cannot fit is a lie.
    if (quantidade > tamanho / kTamanhoCentral)
      return false;
    QByteArray diretorio;
    if (!ler(inicio, static_cast<qint64>(tamanho), diretorio))
      return false;
    qint64 p = 0;
    for (quint64 n = 0; n < quantidade; ++n) {
      if (p + kTamanhoCentral > diretorio.size() || lerLE(diretorio, p, 4) != kAssinaturaCentral)
        return false;
      quint64 compactado = lerLE(diretorio, p + 20, 4);
      const quint64 descompactado = lerLE(diretorio, p + 24, 4);
      const qint64 nome = static_cast<qint64>(lerLE(diretorio, p + 28, 2));
      const qint64 extra = static_cast<qint64>(lerLE(diretorio, p + 30, 2));
      const qint64 comentario = static_cast<qint64>(lerLE(diretorio, p + 32, 2));
      quint64 local = lerLE(diretorio, p + 42, 4);
      const qint64 proximo = p + kTamanhoCentral + nome + extra + comentario;
      if (proximo > diretorio.size())
        return false;
      if (!lerZip64(diretorio, p + kTamanhoCentral + nome, extra, descompactado == 0xffffffff, compactado, local))
        return false;
      Regiao r;
      if (!regiaoLocal(local, compactado, r))
        return false;
      regioes.push_back(r);
      p = proximo;
    }
    return true;
  }

  // The Zip64 extra field holds, in order, only the sizes and offset whose classic fields are
  // full: the uncompressed size, the compressed size, the local header's offset.
  static bool lerZip64(const QByteArray& d, qint64 inicio, qint64 tamanho, bool comDescompactado, quint64& compactado,
                       quint64& local) {
    if (compactado != 0xffffffff && local != 0xffffffff)
      return true;
    for (qint64 q = inicio; q + 4 <= inicio + tamanho;) {
      const auto id = static_cast<quint16>(lerLE(d, q, 2));
      const qint64 bytes = static_cast<qint64>(lerLE(d, q + 2, 2));
      if (q + 4 + bytes > inicio + tamanho)
        return false;
      if (id == kExtraZip64) {
        qint64 campo = q + 4 + (comDescompactado ? 8 : 0);
        if (compactado == 0xffffffff) {
          if (campo + 8 > q + 4 + bytes)
            return false;
          compactado = lerLE(d, campo, 8);
          campo += 8;
        }
        if (local == 0xffffffff) {
          if (campo + 8 > q + 4 + bytes)
            return false;
          local = lerLE(d, campo, 8);
        }
        return true;
      }
      q += 4 + bytes;
    }
    return false;
  }

  // The local header gives its own name and extra lengths, which may differ from the central ones.
  bool regiaoLocal(quint64 posicao, quint64 compactado, Regiao& r) {
    QByteArray cabecalho;
    if (!ler(posicao, kTamanhoLocal, cabecalho) || lerLE(cabecalho, 0, 4) != kAssinaturaLocal)
      return false;
    const quint64 dados = posicao + kTamanhoLocal + lerLE(cabecalho, 26, 2) + lerLE(cabecalho, 28, 2);
    if (dados > tamanho_ || compactado > tamanho_ - dados)
      return false;
    r.inicio = posicao;
    r.fim = dados + compactado;
    return true;
  }

  QFile arquivo_;
  quint64 tamanho_ = 0;
};

}  // namespace

QString Conferir(const QString& caminho) {
  return Leitura(caminho).conferir();
}

}  // namespace RegiaoEntradas
