#include "registries/ValidacaoDocumento.h"

#include "tests/support/MensagensGravadas.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

// Check digits computed the textbook way, independently of the program: weights 2, 3, … from
// the right (restarting at 2 after 9 for the CNPJ).
int digitoModulo11(const QString& corpo, int pesoMaximo) {
  int soma = 0;
  for (qsizetype i = 0; i < corpo.size(); ++i) {
    const int peso = 2 + static_cast<int>(corpo.size() - 1 - i) % (pesoMaximo - 1);
    soma += (corpo.at(i).unicode() - '0') * peso;
  }
  const int resto = soma % 11;
  return resto < 2 ? 0 : 11 - resto;
}

QString completarCpf(QString corpo) {
  for (int i = 0; i < 2; ++i)
    corpo += QString::number(digitoModulo11(corpo, 11));
  return corpo;
}

QString completarCnpj(QString corpo) {
  for (int i = 0; i < 2; ++i)
    corpo += QString::number(digitoModulo11(corpo, 9));
  return corpo;
}

// Luhn over the seven digits of a CNPJ root.
QString completarRaiz(const QString& corpo) {
  int soma = 0;
  for (qsizetype i = 0; i < corpo.size(); ++i) {
    int p = (corpo.at(i).unicode() - '0') * ((corpo.size() - i) % 2 == 1 ? 2 : 1);
    soma += p / 10 + p % 10;
  }
  return corpo + QString::number((10 - soma % 10) % 10);
}

QString sortear(QRandomGenerator& gerador, const QString& alfabeto, int tamanho) {
  QString texto;
  for (int i = 0; i < tamanho; ++i)
    texto += alfabeto.at(gerador.bounded(static_cast<int>(alfabeto.size())));
  return texto;
}

const QString kDigitos = QStringLiteral("0123456789");
const QString kAlfanumericos = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ");

// Every text that differs from `valido` in one of the check positions, by one of `alfabeto`.
QStringList trocasDosDigitos(const QString& valido, const QList<int>& posicoes, const QString& alfabeto) {
  QStringList trocas;
  for (const int posicao : posicoes)
    for (const QChar c : alfabeto)
      if (c != valido.at(posicao)) {
        QString troca = valido;
        troca[posicao] = c;
        trocas << troca;
      }
  return trocas;
}

}  // namespace

class tst_ValidacaoDocumento : public QObject {
  Q_OBJECT

private slots:
  void cpf_data();
  void cpf();
  void cnpj_data();
  void cnpj();
  void umaMensagemPorRecusa_data();
  void umaMensagemPorRecusa();
  void digitosCalculadosSaoAceitosESuasTrocasRecusadas();
};

void tst_ValidacaoDocumento::cpf_data() {
  QTest::addColumn<QString>("texto");
  QTest::addColumn<bool>("aceito");
  QTest::newRow("valido") << "12345678909" << true;
  QTest::newRow("décimo dígito errado") << "12345678919" << false;
  QTest::newRow("décimo primeiro dígito errado") << "12345678908" << false;
  QTest::newRow("S1 resto 0 pede 0") << "90748337806" << true;
  QTest::newRow("S1 resto 0 com 1") << "90748337816" << false;
  QTest::newRow("S1 resto 1 pede 0") << "30401198006" << true;
  QTest::newRow("S1 resto 1 com 1") << "30401198016" << false;
  QTest::newRow("S2 resto 0 pede 0") << "12904047980" << true;
  QTest::newRow("S2 resto 0 com 1") << "12904047981" << false;
  QTest::newRow("S2 resto 1 pede 0") << "87623286030" << true;
  QTest::newRow("S2 resto 1 com 1") << "87623286031" << false;
  QTest::newRow("onze zeros") << "00000000000" << false;
  QTest::newRow("onze noves") << "99999999999" << false;
  QTest::newRow("dez caracteres") << "1234567890" << false;
  QTest::newRow("doze caracteres") << "123456789090" << false;
  QTest::newRow("vazio") << "" << false;
  QTest::newRow("pontuado") << "123.456.789-09" << false;
  QTest::newRow("branco no fim conta no tamanho") << "12345678909 " << false;
}

void tst_ValidacaoDocumento::cpf() {
  QFETCH(QString, texto);
  QFETCH(bool, aceito);
  QCOMPARE(ValidacaoDocumento::CpfValido(texto), aceito);
}

void tst_ValidacaoDocumento::cnpj_data() {
  QTest::addColumn<QString>("texto");
  QTest::addColumn<bool>("aceito");
  QTest::newRow("valido") << "12345678000195" << true;
  QTest::newRow("último dígito errado") << "12345678000194" << false;
  QTest::newRow("primeiro dígito errado") << "12345678000185" << false;
  QTest::newRow("resto 1 dá dígito 0") << "36159742198203" << true;
  QTest::newRow("resto 1 com dígito 1") << "36159742198213" << false;
  QTest::newRow("zeros à esquerda") << "00000000000191" << true;
  QTest::newRow("catorze zeros") << "00000000000000" << false;
  QTest::newRow("catorze oitos") << "88888888888888" << false;
  QTest::newRow("raiz") << "12345674" << true;
  QTest::newRow("raiz errada") << "12345675" << false;
  QTest::newRow("raiz com zero à esquerda") << "01234566" << true;
  QTest::newRow("oito oitos") << "88888888" << true;
  QTest::newRow("oito zeros") << "00000000" << false;
  QTest::newRow("raiz que não começa com dígito") << " 2345674" << false;
  QTest::newRow("nove caracteres") << "123456740" << false;
  QTest::newRow("treze caracteres") << "1234567800019" << false;
  QTest::newRow("quinze caracteres") << "123456780001950" << false;
  QTest::newRow("vazio") << "" << false;
  QTest::newRow("pontuado") << "12.345.678/0001-95" << false;
  QTest::newRow("alfanumérico") << "12ABC34501DE35" << true;
  QTest::newRow("alfanumérico dígito errado") << "12ABC34501DE36" << false;
  QTest::newRow("alfanumérico começando por letra") << "ABCDEFGHIJKL80" << true;
  QTest::newRow("alfanumérico Z e A") << "Z0000000000A99" << true;
  QTest::newRow("alfanumérico minúsculo") << "12abc34501de35" << false;
  QTest::newRow("letra na posição 13") << "12ABC34501DEA5" << false;
  QTest::newRow("letra na posição 14") << "12ABC34501DE3A" << false;
  QTest::newRow("alfanumérico com 13") << "12ABC34501DE3" << false;
  QTest::newRow("raiz com letra") << "1234567A" << false;
  QTest::newRow("letra acentuada") << "12ÁBC34501DE35" << false;
}

void tst_ValidacaoDocumento::cnpj() {
  QFETCH(QString, texto);
  QFETCH(bool, aceito);
  QCOMPARE(ValidacaoDocumento::CnpjValido(texto), aceito);
}

void tst_ValidacaoDocumento::umaMensagemPorRecusa_data() {
  QTest::addColumn<bool>("ehCpf");
  QTest::addColumn<QString>("texto");
  QTest::addColumn<QString>("mensagem");
  const QString cpf = QStringLiteral("O código do CPF informado é inválido.");
  const QString cnpj = QStringLiteral("O código do CNPJ informado é inválido.");
  QTest::newRow("CPF aceito") << true << "12345678909" << QString();
  QTest::newRow("CPF por tamanho") << true << "1234567890" << cpf;
  QTest::newRow("CPF repetido") << true << "11111111111" << cpf;
  QTest::newRow("CPF por dígito") << true << "12345678900" << cpf;
  QTest::newRow("CNPJ aceito") << false << "12345678000195" << QString();
  QTest::newRow("CNPJ raiz aceita") << false << "12345674" << QString();
  QTest::newRow("CNPJ raiz recusada") << false << "12345675" << cnpj;
  QTest::newRow("CNPJ por dígito") << false << "12345678000194" << cnpj;
  QTest::newRow("CNPJ por tamanho") << false << "1234567890" << cnpj;
  QTest::newRow("CNPJ alfanumérico recusado") << false << "12ABC34501DE36" << cnpj;
}

void tst_ValidacaoDocumento::umaMensagemPorRecusa() {
  QFETCH(bool, ehCpf);
  QFETCH(QString, texto);
  QFETCH(QString, mensagem);
  MensagensGravadas mensagens;
  const bool aceito = ehCpf ? ValidarCPF(texto, mensagens) : ValidarCNPJ(texto, mensagens);
  QCOMPARE(aceito, mensagem.isEmpty());
  if (mensagem.isEmpty()) {
    QCOMPARE(mensagens.quantas(), 0);
    return;
  }
  QCOMPARE(mensagens.quantas(), 1);
  QCOMPARE(mensagens.ultima().texto, mensagem);
  QCOMPARE(mensagens.ultima().titulo, ehCpf ? QStringLiteral("CPF") : QStringLiteral("CNPJ"));
  QCOMPARE(mensagens.ultima().icone, Icone::Informacao);
  QCOMPARE(mensagens.ultima().botoes, Botoes::Ok);
}

void tst_ValidacaoDocumento::digitosCalculadosSaoAceitosESuasTrocasRecusadas() {
  QRandomGenerator gerador(20260701);
  for (int rodada = 0; rodada < 300; ++rodada) {
    QString corpoCpf = sortear(gerador, kDigitos, 9);
    if (corpoCpf == QString(9, corpoCpf.at(0)))
      continue;
    const QString cpf = completarCpf(corpoCpf);
    QVERIFY2(ValidacaoDocumento::CpfValido(cpf), qPrintable(cpf));
    for (const QString& troca : trocasDosDigitos(cpf, {9, 10}, kDigitos))
      QVERIFY2(!ValidacaoDocumento::CpfValido(troca), qPrintable(troca));

    // The classic CNPJ needs a non-zero digit before the first character that is not a digit.
    const QString corpoNumerico = QStringLiteral("1") + sortear(gerador, kDigitos, 11);
    const QString corpoAlfanumerico = sortear(gerador, kAlfanumericos, 12);
    for (const QString& corpo : {corpoNumerico, corpoAlfanumerico}) {
      const QString cnpj = completarCnpj(corpo);
      QVERIFY2(ValidacaoDocumento::CnpjValido(cnpj), qPrintable(cnpj));
      for (const QString& troca : trocasDosDigitos(cnpj, {12, 13}, kAlfanumericos))
        QVERIFY2(!ValidacaoDocumento::CnpjValido(troca), qPrintable(troca));
    }

    const QString raiz = completarRaiz(QString::number(gerador.bounded(1, 10)) + sortear(gerador, kDigitos, 6));
    QVERIFY2(ValidacaoDocumento::CnpjValido(raiz), qPrintable(raiz));
    for (const QString& troca : trocasDosDigitos(raiz, {7}, kDigitos))
      QVERIFY2(!ValidacaoDocumento::CnpjValido(troca), qPrintable(troca));
  }
}

QTEST_GUILESS_MAIN(tst_ValidacaoDocumento)
#include "tst_ValidacaoDocumento.moc"
