#include "app/core/Conexao.h"
#include "app/core/Esquema.h"
#include "app/core/modGeral.h"
#include "backup/RestauracaoBanco.h"
#include "backup/frmCopiaSeguranca.h"
#include "controls/lvButtons.h"
#include "controls/uscTextBox.h"
#include "tests/backup/FabricaZip.h"
#include "tests/support/PastaTeste.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

namespace {

const QString kTitulo = QStringLiteral("Cópia de segurança");
const QString kNomePadrao = QStringLiteral("BKP_Talonix_07122026103000");  // the test clock's "now"

// What the screen showed at one pause of an operation.
struct Momento {
  QString status;
  bool amarelo;
  bool conectado;
  bool botoesAtivos;
};

// A SQLite file at `caminho`, of the program's schema when `talonix`, changed by `sql`.
QByteArray bancoFeito(const QString& caminho, bool talonix, const QString& sql) {
  if (talonix && !Esquema::CriarBanco(caminho))
    return {};
  {
    QSqlDatabase banco = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fixture"));
    banco.setDatabaseName(caminho);
    if (banco.open())
      QSqlQuery(banco).exec(sql);
    banco.close();
  }
  QSqlDatabase::removeDatabase(QStringLiteral("fixture"));
  return FabricaZip::conteudo(caminho);
}

}  // namespace

class tst_frmCopiaSeguranca : public QObject {
  Q_OBJECT

private:
  std::unique_ptr<PastaTeste> pasta_;
  std::unique_ptr<frmCopiaSeguranca> tela_;
  QList<Momento> momentos_;

  template <typename T>
  T* achar(const QString& nome) const {
    T* w = tela_->findChild<T*>(nome);
    if (w == nullptr)
      qFatal("control %s not found", qPrintable(nome));
    return w;
  }
  QLabel* rotulo(int i) const { return achar<QLabel>(QStringLiteral("lblGeral_") + QString::number(i)); }
  lvButtons* botao(const QString& nome) const { return achar<lvButtons>(nome); }
  QLineEdit* local(const QString& painel) const {
    return achar<QLineEdit>(QStringLiteral("txtLocal%1BKP").arg(painel));
  }
  uscTextBox* nome(const QString& painel) const {
    return achar<uscTextBox>(QStringLiteral("txt%1NomeBKP").arg(painel));
  }
  QString pastaBackup() const { return pasta_->caminho() + QStringLiteral("/backup"); }

  void abrirPainel(int opcao) {
    achar<QRadioButton>(QStringLiteral("optOperacao_") + QString::number(opcao))->click();
    botao(QStringLiteral("btnPrincOK"))->click();
  }

  QString iniLocal() const {
    return modGeral::LerIni(QStringLiteral("copiaseguranca"), QStringLiteral("local"), QStringLiteral("<nada>"),
                            modGeral::ArquivoIni());
  }

  void observarPausas(int statusIndice, const QString& botaoOK) {
    pasta_->relogio.aoAguardar = [this, statusIndice, botaoOK](double) {
      QLabel* status = rotulo(statusIndice);
      momentos_.append({status->text(), status->palette().color(QPalette::Window) == QColor(255, 255, 0),
                        Conexao::Banco().isOpen(), botao(botaoOK)->isEnabled()});
    };
  }

  // Backs the database up through the screen into `pastaBackup()` under `arquivo`.
  void fazerCopia(const QString& arquivo) {
    abrirPainel(0);
    local(QStringLiteral("Rea"))->setText(pastaBackup());
    nome(QStringLiteral("Rea"))->setText(arquivo);
    botao(QStringLiteral("btnReaOK"))->click();
    botao(QStringLiteral("btnReaCancelar"))->click();
  }

private slots:
  void init() {
    pasta_ = std::make_unique<PastaTeste>();
    QVERIFY(pasta_->abrir());
    modGeral::DefinirPastaSom(modGeral::CaminhoSom());
    QDir().mkpath(pastaBackup());
    tela_ = std::make_unique<frmCopiaSeguranca>(pasta_->contexto());
    tela_->show();
    QVERIFY(QTest::qWaitForWindowExposed(tela_.get()));
    momentos_.clear();
  }
  void cleanup() {
    tela_.reset();
    pasta_.reset();
  }

  void abreNoPainelPrincipal() {
    QCOMPARE(tela_->windowTitle(), kTitulo);
    QVERIFY(achar<QFrame>(QStringLiteral("fraPrincipal"))->isVisible());
    QVERIFY(!achar<QFrame>(QStringLiteral("fraRealizar"))->isVisible());
    QVERIFY(!achar<QFrame>(QStringLiteral("fraRestaurar"))->isVisible());
    QCOMPARE(achar<QFrame>(QStringLiteral("fraPrincipal"))->pos(), QPoint(176, 48));
    QCOMPARE(achar<QFrame>(QStringLiteral("fraRealizar"))->pos(), QPoint(176, 32));
    QCOMPARE(achar<QFrame>(QStringLiteral("fraRestaurar"))->pos(), QPoint(176, 32));
    QCOMPARE(rotulo(1)->text(), QStringLiteral("Selecione a operação que deseja realizar"));
    QCOMPARE(rotulo(3)->text(), QStringLiteral("REALIZAR CÓPIA DE SEGURANÇA"));
    QCOMPARE(rotulo(7)->text(), QStringLiteral("RESTAURAR CÓPIA DE SEGURANÇA"));
    QCOMPARE(botao(QStringLiteral("btnReaLocalBKP"))->toolTip(),
             QStringLiteral("Indicar o local para realizar a cópia de segurança"));
    QCOMPARE(botao(QStringLiteral("btnResLocalBKP"))->toolTip(),
             QStringLiteral("Indicar o local onde está a cópia de segurança"));
  }

  void opcaoDaNomeAoBotaoENadaSemEla() {
    lvButtons* ok = botao(QStringLiteral("btnPrincOK"));
    ok->click();
    QVERIFY(achar<QFrame>(QStringLiteral("fraPrincipal"))->isVisible());
    achar<QRadioButton>(QStringLiteral("optOperacao_1"))->click();
    QCOMPARE(ok->text(), QStringLiteral("&Restaurar"));
    achar<QRadioButton>(QStringLiteral("optOperacao_0"))->click();
    QCOMPARE(ok->text(), QStringLiteral("&Realizar"));
    ok->click();
    QVERIFY(achar<QFrame>(QStringLiteral("fraRealizar"))->isVisible());
    QVERIFY(!achar<QFrame>(QStringLiteral("fraPrincipal"))->isVisible());
    QCOMPARE(QApplication::focusWidget(), botao(QStringLiteral("btnReaLocalBKP")));
  }

  // The screen opens with the focus on the first operation, so the keyboard alone reaches a panel.
  void tecladoEscolheAOperacao() {
    QVERIFY(QTest::qWaitForWindowActive(tela_.get()));
    auto* primeira = achar<QRadioButton>(QStringLiteral("optOperacao_0"));
    QCOMPARE(QApplication::focusWidget(), primeira);
    QTest::keyClick(primeira, Qt::Key_Space);
    QVERIFY(primeira->isChecked());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_R, Qt::AltModifier);
    QTRY_VERIFY(achar<QFrame>(QStringLiteral("fraRealizar"))->isVisible());
    QCOMPARE(QApplication::focusWidget(), botao(QStringLiteral("btnReaLocalBKP")));
  }

  void escECancelar() {
    abrirPainel(1);
    QCOMPARE(QApplication::focusWidget(), botao(QStringLiteral("btnResLocalBKP")));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(tela_->isVisible());
    QVERIFY(achar<QFrame>(QStringLiteral("fraRestaurar"))->isVisible());
    botao(QStringLiteral("btnResCancelar"))->click();
    QVERIFY(achar<QFrame>(QStringLiteral("fraPrincipal"))->isVisible());
    QCOMPARE(QApplication::focusWidget(), achar<QRadioButton>(QStringLiteral("optOperacao_0")));
    QVERIFY(!tela_->close());  // the close box is refused
    QVERIFY(tela_->isVisible());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(!tela_->isVisible());
  }

  void ambosOsPaineisPropoemAPastaPadrao() {
    QFile::remove(modGeral::ArquivoIni());
    abrirPainel(0);
    QCOMPARE(local(QStringLiteral("Rea"))->text(), pastaBackup());
    QCOMPARE(nome(QStringLiteral("Rea"))->Text(), kNomePadrao);
    botao(QStringLiteral("btnReaCancelar"))->click();
    abrirPainel(1);
    QCOMPARE(local(QStringLiteral("Res"))->text(), pastaBackup());
    QCOMPARE(nome(QStringLiteral("Res"))->Text(), QString());

    modGeral::GravarIni(QStringLiteral("copiaseguranca"), QStringLiteral("local"), QStringLiteral("  /outro/Lugar "),
                        modGeral::ArquivoIni());
    botao(QStringLiteral("btnResCancelar"))->click();
    abrirPainel(1);
    QCOMPARE(local(QStringLiteral("Res"))->text(), QStringLiteral("/outro/Lugar"));
  }

  void copiaPadraoEmMinusculasGravaOLocal() {
    abrirPainel(0);
    observarPausas(3, QStringLiteral("btnReaOK"));
    botao(QStringLiteral("btnReaOK"))->click();

    const QString arquivo = pastaBackup() + QStringLiteral("/bkp_talonix_07122026103000.zip");
    QVERIFY(QFile::exists(arquivo));
    QCOMPARE(FabricaZip::nomes(arquivo), QStringList({QStringLiteral("bdRecibo.mdb")}));
    // The archive holds a snapshot: the database page for page, but for the change counters that
    // SQLite keeps in the file's 100-byte header.
    const QByteArray copia = FabricaZip::ler(arquivo, QStringLiteral("bdRecibo.mdb"));
    const QByteArray banco = FabricaZip::conteudo(pasta_->banco());
    QCOMPARE(copia.size(), banco.size());
    QCOMPARE(copia.mid(100), banco.mid(100));
    QCOMPARE(iniLocal(), pastaBackup());

    QCOMPARE(momentos_.size(), 4);
    const QString fechando = QStringLiteral("FECHANDO CONEXÃO COM BASE DE DADOS");
    QCOMPARE(momentos_[0].status, fechando);
    QVERIFY(momentos_[0].conectado);
    QVERIFY(!momentos_[0].botoesAtivos);
    QCOMPARE(momentos_[1].status, fechando);
    QVERIFY(!momentos_[1].conectado);
    QCOMPARE(momentos_[2].status, QStringLiteral("CÓPIA DE SEGURANÇA REALIZADA"));
    QVERIFY(!momentos_[2].amarelo);
    QVERIFY(!momentos_[2].conectado);
    QCOMPARE(momentos_[3].status, QStringLiteral("ABRINDO CONEXÃO COM O BANCO DE DADOS"));
    QVERIFY(momentos_[3].conectado);
    QCOMPARE(pasta_->relogio.esperado(), 6.0);

    QCOMPARE(rotulo(3)->text(), QStringLiteral("REALIZAR CÓPIA DE SEGURANÇA"));
    QVERIFY(botao(QStringLiteral("btnReaOK"))->isEnabled());
    QCOMPARE(pasta_->som.tocados, QStringList({pasta_->caminho() + QStringLiteral("/som/sucesso.wav")}));
    QCOMPARE(pasta_->mensagens.quantas(), 1);
    QCOMPARE(pasta_->mensagens.ultima().texto, QStringLiteral("A cópia de segurança foi realizada com sucesso."));
    QCOMPARE(pasta_->mensagens.ultima().titulo, kTitulo);
    QCOMPARE(pasta_->mensagens.ultima().icone, Icone::Informacao);
    QVERIFY(achar<QFrame>(QStringLiteral("fraRealizar"))->isVisible());
  }

  void nomesDigitados_data() {
    QTest::addColumn<QString>("pasta");
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("arquivo");
    QTest::newRow("pasta com barra final")
        << QStringLiteral("backup/") << QStringLiteral("copia") << QStringLiteral("backup/copia.zip");
    QTest::newRow("nome com .zip") << QStringLiteral("backup") << QStringLiteral("copia.zip")
                                   << QStringLiteral("backup/copia.zip.zip");
    QTest::newRow("caixa do nome mantida")
        << QStringLiteral("backup") << QStringLiteral(" Copia Mensal ") << QStringLiteral("backup/Copia Mensal.zip");
  }
  void nomesDigitados() {
    QFETCH(QString, pasta);
    QFETCH(QString, nome);
    QFETCH(QString, arquivo);
    abrirPainel(0);
    local(QStringLiteral("Rea"))->setText(QStringLiteral(" ") + pasta_->caminho() + QLatin1Char('/') + pasta);
    this->nome(QStringLiteral("Rea"))->setText(nome);
    botao(QStringLiteral("btnReaOK"))->click();
    QVERIFY2(QFile::exists(pasta_->caminho() + QLatin1Char('/') + arquivo),
             qPrintable(QDir(pastaBackup()).entryList().join(QLatin1Char(','))));
    QCOMPARE(iniLocal(), pasta_->caminho() + QLatin1Char('/') + pasta);
  }

  void conferenciasDosCampos_data() {
    QTest::addColumn<int>("opcao");
    QTest::addColumn<QString>("pasta");
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("mensagem");
    QTest::addColumn<QString>("foco");
    QTest::newRow("cópia: pasta inexistente")
        << 0 << QStringLiteral("nao-existe") << QStringLiteral("x")
        << QStringLiteral("O local informado para a gravação da cópia de segurança não existe.")
        << QStringLiteral("txtLocalReaBKP");
    QTest::newRow("cópia: pasta vazia") << 0 << QStringLiteral("  ") << QStringLiteral("x")
                                        << QStringLiteral("Informe o local de gravação da cópia de segurança.")
                                        << QStringLiteral("txtLocalReaBKP");
    QTest::newRow("cópia: nome vazio") << 0 << QStringLiteral("backup") << QStringLiteral(" ")
                                       << QStringLiteral("Informe o nome do arquivo da cópia de segurança.")
                                       << QStringLiteral("txtReaNomeBKP");
    QTest::newRow("restauração: pasta inexistente")
        << 1 << QStringLiteral("nao-existe") << QStringLiteral("x")
        << QStringLiteral("O local informado para a leitura da cópia de segurança não existe.")
        << QStringLiteral("txtLocalResBKP");
    QTest::newRow("restauração: pasta vazia")
        << 1 << QString() << QStringLiteral("x") << QStringLiteral("Informe o local de leitura da cópia de segurança.")
        << QStringLiteral("txtLocalResBKP");
    QTest::newRow("restauração: nome vazio")
        << 1 << QStringLiteral("backup") << QString()
        << QStringLiteral("Informe o nome do arquivo da cópia de segurança a restaurar.")
        << QStringLiteral("txtResNomeBKP");
    QTest::newRow("restauração: arquivo inexistente")
        << 1 << QStringLiteral("backup") << QStringLiteral("nenhum")
        << QStringLiteral("O arquivo da cópia de segurança selecionado para restaurar não foi localizado.")
        << QStringLiteral("txtResNomeBKP");
  }
  void conferenciasDosCampos() {
    QFETCH(int, opcao);
    QFETCH(QString, pasta);
    QFETCH(QString, nome);
    QFETCH(QString, mensagem);
    QFETCH(QString, foco);
    QFile::remove(modGeral::ArquivoIni());
    const QString painel = opcao == 0 ? QStringLiteral("Rea") : QStringLiteral("Res");
    abrirPainel(opcao);
    local(painel)->setText(pasta.trimmed().isEmpty() ? pasta : pasta_->caminho() + QLatin1Char('/') + pasta);
    this->nome(painel)->setText(nome);
    botao(QStringLiteral("btn") + painel + QStringLiteral("OK"))->click();
    QCOMPARE(pasta_->mensagens.quantas(), 1);
    QCOMPARE(pasta_->mensagens.ultima().texto, mensagem);
    QCOMPARE(pasta_->mensagens.ultima().titulo, kTitulo);
    QCOMPARE(pasta_->mensagens.ultima().icone, Icone::Informacao);
    QWidget* focado = QApplication::focusWidget();
    QVERIFY(focado != nullptr);
    QVERIFY2(focado->objectName() == foco || focado->parentWidget()->objectName() == foco,
             qPrintable(focado->objectName()));
    QVERIFY(!QFile::exists(modGeral::ArquivoIni()));
    QCOMPARE(pasta_->relogio.esperado(), 0.0);
    QVERIFY(Conexao::Banco().isOpen());
  }

  // An archive of the same name is replaced, not added to: the backup holds the database alone.
  void copiaSobreArquivoExistenteOSubstitui() {
    const QString arquivo = pastaBackup() + QStringLiteral("/mensal.zip");
    QVERIFY(FabricaZip::criar(arquivo, {{QStringLiteral("velho.txt"), "v"}}));
    abrirPainel(0);
    nome(QStringLiteral("Rea"))->setText(QStringLiteral("mensal"));
    botao(QStringLiteral("btnReaOK"))->click();
    QCOMPARE(FabricaZip::nomes(arquivo), QStringList({QStringLiteral("bdRecibo.mdb")}));
    QCOMPARE(QDir(pastaBackup()).entryList(QDir::Files), QStringList({QStringLiteral("mensal.zip")}));
  }

  void falhaAoCompactar() {
    QDir().mkpath(pastaBackup() + QStringLiteral("/ocupado.zip"));  // a folder where the archive would go
    abrirPainel(0);
    nome(QStringLiteral("Rea"))->setText(QStringLiteral("ocupado"));
    botao(QStringLiteral("btnReaOK"))->click();
    QCOMPARE(pasta_->mensagens.quantas(), 1);
    // The screen's words, then the reason on the next line.
    const QString fixo = pastaBackup() + QStringLiteral("/ocupado.zip\rErro ao compactar o arquivo\r");
    const QString texto = pasta_->mensagens.ultima().texto;
    QVERIFY2(texto.startsWith(fixo) && texto.mid(fixo.size()).contains(QStringLiteral("ocupado.zip")),
             qPrintable(texto));
    QCOMPARE(pasta_->mensagens.ultima().titulo, QString());
    QCOMPARE(pasta_->mensagens.ultima().icone, Icone::Critico);
    QVERIFY(pasta_->som.tocados.isEmpty());
    QVERIFY(Conexao::Banco().isOpen());
    QCOMPARE(rotulo(3)->text(), QStringLiteral("REALIZAR CÓPIA DE SEGURANÇA"));
    QVERIFY(botao(QStringLiteral("btnReaOK"))->isEnabled());
    QCOMPARE(iniLocal(), pastaBackup());
    QCOMPARE(QDir(pastaBackup()).entryList(QDir::Files), QStringList());
  }

  void restauracaoDevolveOsDados() {
    QVERIFY(pasta_->executar(QStringLiteral("INSERT INTO tbPessoa (Codigo, Descricao) VALUES (1, 'Maria')")));
    fazerCopia(QStringLiteral("antes"));
    QVERIFY(pasta_->executar(QStringLiteral("UPDATE tbPessoa SET Descricao = 'Mudou'")));
    QVERIFY(pasta_->executar(QStringLiteral("INSERT INTO tbPessoa (Codigo, Descricao) VALUES (2, 'Nova')")));
    pasta_->mensagens.limpar();
    pasta_->som.tocados.clear();
    momentos_.clear();

    abrirPainel(1);
    observarPausas(7, QStringLiteral("btnResOK"));
    nome(QStringLiteral("Res"))->setText(QStringLiteral("antes"));
    botao(QStringLiteral("btnResOK"))->click();

    QCOMPARE(pasta_->valor(QStringLiteral("SELECT COUNT(*) FROM tbPessoa")).toInt(), 1);
    QCOMPARE(pasta_->valor(QStringLiteral("SELECT Descricao FROM tbPessoa")).toString(), QStringLiteral("Maria"));
    QCOMPARE(pasta_->mensagens.ultima().texto, QStringLiteral("A cópia de segurança foi restaurada com sucesso."));
    QCOMPARE(pasta_->som.tocados.size(), 1);
    QCOMPARE(momentos_.size(), 4);
    QVERIFY(momentos_[0].conectado);
    QCOMPARE(momentos_[1].status, QStringLiteral("RESTAURANDO CÓPIA DE SEGURANÇA"));
    QVERIFY(momentos_[1].amarelo);
    QVERIFY(!momentos_[1].conectado);
    QCOMPARE(momentos_[2].status, QStringLiteral("CÓPIA DE SEGURANÇA RESTAURADA"));
    QVERIFY(!momentos_[2].amarelo);
    QCOMPARE(rotulo(7)->text(), QStringLiteral("RESTAURAR CÓPIA DE SEGURANÇA"));
    QVERIFY(botao(QStringLiteral("btnResOK"))->isEnabled());
  }

  // Whatever makes a restore fail, the screen's message keeps its words and gives the reason the
  // restore found on its next line; the database stays as it was.
  void arquivoRuimNaoTocaNoBanco_data() {
    QTest::addColumn<QList<FabricaZip::Entrada>>("entradas");
    QTest::addColumn<QString>("motivo");
    QTemporaryDir fixtures;
    const QString banco = QStringLiteral("bdRecibo.mdb");
    QTest::newRow("não é um arquivo zip")
        << QList<FabricaZip::Entrada>{} << QStringLiteral("não é uma cópia de segurança legível");
    QTest::newRow("versão mais nova do Talonix")
        << QList<FabricaZip::Entrada>{{banco,
                                       bancoFeito(
                                           fixtures.filePath(QStringLiteral("nova.mdb")), true,
                                           QStringLiteral("PRAGMA user_version = %1").arg(Esquema::VersaoAtual + 1))}}
        << QStringLiteral("versão mais nova do Talonix");
    QTest::newRow("banco de outro programa")
        << QList<FabricaZip::Entrada>{{banco, bancoFeito(fixtures.filePath(QStringLiteral("alheio.db")), false,
                                                         QStringLiteral("CREATE TABLE clientes (id INTEGER)"))}}
        << QStringLiteral("não é um banco de dados do Talonix");
    QTest::newRow("nome reservado pelo programa")
        << QList<FabricaZip::Entrada>{{banco, bancoFeito(fixtures.filePath(QStringLiteral("bom.mdb")), true,
                                                         QStringLiteral("SELECT 1"))},
                                      {QStringLiteral(".copia"), "x"}}
        << QStringLiteral("reserva");
  }
  void arquivoRuimNaoTocaNoBanco() {
    QFETCH(QList<FabricaZip::Entrada>, entradas);
    QFETCH(QString, motivo);
    const QString zip = pastaBackup() + QStringLiteral("/ruim.zip");
    if (entradas.isEmpty()) {
      QFile ruim(zip);
      QVERIFY(ruim.open(QIODevice::WriteOnly));
      ruim.write("isto não é uma cópia de segurança");
    } else {
      QVERIFY(FabricaZip::criar(zip, entradas));
    }
    const QByteArray antes = FabricaZip::conteudo(pasta_->banco());
    abrirPainel(1);
    nome(QStringLiteral("Res"))->setText(QStringLiteral("ruim"));
    botao(QStringLiteral("btnResOK"))->click();
    QCOMPARE(pasta_->mensagens.quantas(), 1);
    const QString fixo = QStringLiteral("Problema ao descompactar a cópia de segurança.\r");
    const QString texto = pasta_->mensagens.ultima().texto;
    QVERIFY2(texto.startsWith(fixo) && texto.mid(fixo.size()).contains(motivo), qPrintable(texto));
    // The reason is the restore's own, whole.
    Conexao::FecharConexao();
    QCOMPARE(texto, fixo + RestauracaoBanco::RestaurarBanco(zip).erro);
    QVERIFY(pasta_->abrir());
    QCOMPARE(pasta_->mensagens.ultima().titulo, QStringLiteral("UnZip"));
    QCOMPARE(pasta_->mensagens.ultima().icone, Icone::Critico);
    QVERIFY(pasta_->som.tocados.isEmpty());
    QVERIFY(Conexao::Banco().isOpen());
    QCOMPARE(FabricaZip::conteudo(pasta_->banco()), antes);
  }

  void procurarNoDisco() {
    abrirPainel(0);
    lvButtons* procurar = botao(QStringLiteral("btnReaLocalBKP"));
    pasta_->escolhaArquivo.responder(QString());
    pasta_->escolhaArquivo.responder(QStringLiteral("/algum/lugar/nota.txt"));
    procurar->click();
    procurar->click();
    QCOMPARE(local(QStringLiteral("Rea"))->text(), pastaBackup());
    QCOMPARE(nome(QStringLiteral("Rea"))->Text(), kNomePadrao);
    const auto& chamada = pasta_->escolhaArquivo.chamadas.first();
    QCOMPARE(chamada.modo, ModoArquivo::Salvar);
    QCOMPARE(chamada.titulo, QStringLiteral("Local e nome do arquivo da cópia de segurança"));
    QCOMPARE(chamada.nomeInicial, kNomePadrao);
    QCOMPARE(chamada.filtro, QStringLiteral("Cópias de segurança (*.zip)|*.zip|Todos os arquivo (*.*)|*.*"));
    QCOMPARE(chamada.pastaInicial, pastaBackup());
    QCOMPARE(chamada.extensaoPadrao, QStringLiteral("zip"));

    // The proposed name brought back by browse is still the program's name: lower case.
    pasta_->escolhaArquivo.responder(pastaBackup() + QLatin1Char('/') + kNomePadrao + QStringLiteral(".zip"));
    procurar->click();
    botao(QStringLiteral("btnReaOK"))->click();
    QVERIFY(QFile::exists(pastaBackup() + QLatin1Char('/') + kNomePadrao.toLower() + QStringLiteral(".zip")));
    QVERIFY(!QFile::exists(pastaBackup() + QLatin1Char('/') + kNomePadrao + QStringLiteral(".zip")));

    // A chosen "Copia.ZIP" is written and found under its own spelling.
    const QString escolhida = pasta_->caminho() + QStringLiteral("/Mensal");
    QDir().mkpath(escolhida);
    pasta_->escolhaArquivo.responder(escolhida + QStringLiteral("/Copia.ZIP"));
    procurar->click();
    QCOMPARE(nome(QStringLiteral("Rea"))->Text(), QStringLiteral("Copia"));
    QCOMPARE(local(QStringLiteral("Rea"))->text(), escolhida);
    botao(QStringLiteral("btnReaOK"))->click();
    QVERIFY(QFile::exists(escolhida + QStringLiteral("/Copia.ZIP")));
    botao(QStringLiteral("btnReaCancelar"))->click();

    abrirPainel(1);
    pasta_->escolhaArquivo.responder(escolhida + QStringLiteral("/Copia.ZIP"));
    botao(QStringLiteral("btnResLocalBKP"))->click();
    QCOMPARE(pasta_->escolhaArquivo.chamadas.last().modo, ModoArquivo::Abrir);
    pasta_->mensagens.limpar();
    botao(QStringLiteral("btnResOK"))->click();
    QCOMPARE(pasta_->mensagens.ultima().texto, QStringLiteral("A cópia de segurança foi restaurada com sucesso."));
  }
};

QTEST_MAIN(tst_frmCopiaSeguranca)
#include "tst_frmCopiaSeguranca.moc"
