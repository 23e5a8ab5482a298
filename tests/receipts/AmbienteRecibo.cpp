#include "tests/receipts/AmbienteRecibo.h"

#include "receipts/frmRecibo2.h"
#include "tests/support/BancoVersao0.h"

#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QtTest>

AmbienteRecibo::AmbienteRecibo(Banco banco) : pasta(banco == Banco::Novo) {
  if (banco == Banco::Versao0 && !CriarBancoVersao0(pasta.banco()))
    return;
  if (!pasta.abrir() || !pasta.copiarModelos())
    return;
  const QString biblioteca = QStringLiteral("/libverbalor.so");
  if (!QFile::copy(qEnvironmentVariable("TALONIX_TEST_APPDIR") + biblioteca, pasta.caminho() + biblioteca))
    return;
  if (banco == Banco::Versao0) {
    pronto_ = true;
    return;
  }
  pronto_ = pasta.executar(QStringLiteral(
                "INSERT INTO tbPessoa (Codigo, Descricao, TipoPessoa, Documento01, Documento02, Endereco, Numero, "
                "Bairro, Cidade, UF, Cep) VALUES "
                "(1, 'Maria da Silva', 0, '52998224725', '12.345.678-9', 'Rua das Flores', '10', 'Centro', "
                "'Campinas', 'SP', '13010-000'), "
                "(2, 'Comércio Exemplo Ltda', 1, '11222333000181', '110.042.490.114', 'Avenida Paulista', '1000', "
                "'Bela Vista', 'São Paulo', 'SP', '01310-100'), "
                "(3, 'João Souza', 0, '11144477735', '', 'Rua A', 's/n', '', 'Santos', 'SP', ''), "
                "(4, 'Letras e Números S.A.', 1, '12ABC34501DE35', '', 'Rua B', '5', '', 'Recife', 'PE', '')")) &&
            pasta.executar(
                QStringLiteral("INSERT INTO tbReferente (Codigo, Descricao) VALUES (1, 'Aluguel do mês de dezembro'), "
                               "(2, 'Serviços de manutenção')"));
}

AmbienteRecibo::~AmbienteRecibo() {
  if (tela)
    tela->permitirFechamento();
  area.reset();
}

bool AmbienteRecibo::abrirTela() {
  area = std::make_unique<QMdiArea>();
  area->resize(1000, 760);
  tela = new frmRecibo2(pasta.contexto());
  QMdiSubWindow* janela = area->addSubWindow(tela);
  janela->setAttribute(Qt::WA_DeleteOnClose);
  area->show();
  janela->show();
  area->activateWindow();
  if (!QTest::qWaitForWindowActive(area.get()))
    return false;
  area->setActiveSubWindow(janela);
  tela->setFocus();
  return true;
}

bool AmbienteRecibo::inserirRecibo(qint64 numero, int ano, qint64 valor, qint64 recebi, qint64 emitente,
                                   const QString& referente) {
  return pasta.executar(QStringLiteral("INSERT INTO tbRecibo (Codigo, Ano, DataEmissao, Valor, Recebi, Emitente, "
                                       "Referente, Observacao, Vias) VALUES (%1, %2, '%2-03-15', %3, %4, %5, '%6', "
                                       "'Pago em dinheiro', '2')")
                            .arg(numero)
                            .arg(ano)
                            .arg(valor)
                            .arg(recebi)
                            .arg(emitente)
                            .arg(referente));
}
