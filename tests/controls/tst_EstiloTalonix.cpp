#include "controls/EstiloTalonix.h"

#include "controls/MensagensQt.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QMainWindow>
#include <QMessageBox>
#include <QScopeGuard>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QtTest>

#include <algorithm>
#include <memory>

Q_DECLARE_METATYPE(Icone)
Q_DECLARE_METATYPE(Botoes)

// The message boxes the operator sees, through the real message interface: their icon and the
// icons of their buttons come from the icon theme, or are absent when the theme lacks them.
class tst_EstiloTalonix : public QObject {
  Q_OBJECT
private slots:
  void initTestCase();
  void barraPintadaSemThreads();
  void barraIgualAoFusion_data();
  void barraIgualAoFusion();
  void iconesDoTema_data();
  void iconesDoTema();

private:
  QTemporaryDir pasta_;
};

void tst_EstiloTalonix::initTestCase() {
  EstiloTalonix::Instalar();
  QCOMPARE(QIcon::themeName(), QStringLiteral("breeze"));
  // A theme that holds no icon at all, as a desktop's theme may lack the button ones.
  QVERIFY(pasta_.isValid());
  QVERIFY(QDir(pasta_.path()).mkpath(QStringLiteral("vazio")));
  QFile indice(pasta_.filePath(QStringLiteral("vazio/index.theme")));
  QVERIFY(indice.open(QIODevice::WriteOnly));
  indice.write("[Icon Theme]\nName=vazio\nDirectories=\n");
  indice.close();
  QIcon::setThemeSearchPaths(QIcon::themeSearchPaths() << pasta_.path());
}

namespace {

// A main window with `linhas` rows of tool bars in its top area, each with one button.
std::unique_ptr<QMainWindow> janelaComBarras(int linhas) {
  auto janela = std::make_unique<QMainWindow>();
  janela->setCentralWidget(new QWidget);
  for (int i = 0; i < linhas; ++i) {
    if (i > 0)
      janela->addToolBarBreak();
    QToolBar* barra = janela->addToolBar(QStringLiteral("Barra %1").arg(i));
    barra->setMovable(false);
    barra->addAction(QStringLiteral("Ação %1").arg(i));
  }
  janela->resize(640, 300);
  return janela;
}

int threadsDoProcesso() {
  return static_cast<int>(QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
}

}  // namespace

// The first paint of a main window with a tool bar stays on the painting thread: Fusion's own
// bevel had the raster engine start its thread pool for two translucent lines. Runs before any
// other test paints, so no pool thread is alive yet.
void tst_EstiloTalonix::barraPintadaSemThreads() {
  const auto janela = janelaComBarras(1);
  const int antes = threadsDoProcesso();
  const QImage imagem = janela->grab().toImage();
  QVERIFY(!imagem.isNull());
  QCOMPARE(threadsDoProcesso(), antes);
}

void tst_EstiloTalonix::barraIgualAoFusion_data() {
  QTest::addColumn<int>("linhas");
  QTest::addColumn<QColor>("fundo");  // the window colour; invalid: the style's own
  QTest::newRow("uma linha de barras") << 1 << QColor();
  QTest::newRow("duas linhas") << 2 << QColor();
  QTest::newRow("três linhas") << 3 << QColor();
  // On a dark window every line of the bevel stands out.
  QTest::newRow("uma linha, janela escura") << 1 << QColor(0x30, 0x30, 0x38);
  QTest::newRow("três linhas, janela escura") << 3 << QColor(0x30, 0x30, 0x38);
}

// Each tool bar looks as Fusion draws it, within the rounding of a blend.
void tst_EstiloTalonix::barraIgualAoFusion() {
  QFETCH(int, linhas);
  QFETCH(QColor, fundo);
  if (qobject_cast<QProxyStyle*>(QApplication::style())->baseStyle()->name() != QLatin1String("fusion"))
    QSKIP("A plataforma não usa o estilo Fusion.");
  const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("fusion")));
  const auto janela = janelaComBarras(linhas);
  if (fundo.isValid()) {
    QPalette paleta = janela->palette();
    paleta.setColor(QPalette::Window, fundo);
    janela->setPalette(paleta);
  }
  janela->show();
  QVERIFY(QTest::qWaitForWindowExposed(janela.get()));
  const QList<QToolBar*> barras = janela->findChildren<QToolBar*>();
  QCOMPARE(barras.size(), linhas);
  for (QToolBar* barra : barras) {
    const QImage nossa = barra->grab().toImage().convertToFormat(QImage::Format_RGB32);
    barra->setStyle(fusion.get());
    const QImage doFusion = barra->grab().toImage().convertToFormat(QImage::Format_RGB32);
    barra->setStyle(nullptr);
    QCOMPARE(nossa.size(), doFusion.size());
    int maior = 0;
    for (int y = 0; y < nossa.height(); ++y)
      for (int x = 0; x < nossa.width(); ++x) {
        const QRgb a = nossa.pixel(x, y);
        const QRgb b = doFusion.pixel(x, y);
        maior = std::max(
            {maior, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
      }
    QVERIFY2(maior <= 1, qPrintable(QStringLiteral("%1: diferença de %2").arg(barra->windowTitle()).arg(maior)));
  }
}

void tst_EstiloTalonix::iconesDoTema_data() {
  QTest::addColumn<QString>("tema");
  QTest::addColumn<Icone>("icone");
  QTest::addColumn<Botoes>("botoes");
  QTest::addColumn<QString>("iconeDaCaixa");  // empty: none
  // Each button of the box and the theme's icon it shows (empty: none).
  QTest::addColumn<QMap<int, QString>>("iconesDosBotoes");
  const QString ok = QStringLiteral("dialog-ok");
  const QString cancelar = QStringLiteral("dialog-cancel");
  QTest::newRow("pergunta, Sim e Não") << "breeze" << Icone::Pergunta << Botoes::SimNao << "dialog-question"
                                       << QMap<int, QString>{{QMessageBox::Yes, ok}, {QMessageBox::No, cancelar}};
  QTest::newRow("informação, OK") << "breeze" << Icone::Informacao << Botoes::Ok << "dialog-information"
                                  << QMap<int, QString>{{QMessageBox::Ok, ok}};
  QTest::newRow("exclamação, OK e Cancelar")
      << "breeze" << Icone::Exclamacao << Botoes::OkCancelar << "dialog-warning"
      << QMap<int, QString>{{QMessageBox::Ok, ok}, {QMessageBox::Cancel, cancelar}};
  QTest::newRow("crítico, Sim, Não e Cancelar")
      << "breeze" << Icone::Critico << Botoes::SimNaoCancelar << "dialog-error"
      << QMap<int, QString>{{QMessageBox::Yes, ok}, {QMessageBox::No, cancelar}, {QMessageBox::Cancel, cancelar}};
  QTest::newRow("tema sem ícones, Sim e Não")
      << "vazio" << Icone::Pergunta << Botoes::SimNao << ""
      << QMap<int, QString>{{QMessageBox::Yes, QString()}, {QMessageBox::No, QString()}};
  QTest::newRow("tema sem ícones, OK e Cancelar")
      << "vazio" << Icone::Informacao << Botoes::OkCancelar << ""
      << QMap<int, QString>{{QMessageBox::Ok, QString()}, {QMessageBox::Cancel, QString()}};
}

void tst_EstiloTalonix::iconesDoTema() {
  QFETCH(QString, tema);
  QFETCH(Icone, icone);
  QFETCH(Botoes, botoes);
  QFETCH(QString, iconeDaCaixa);
  using IconesDosBotoes = QMap<int, QString>;
  QFETCH(IconesDosBotoes, iconesDosBotoes);
  QIcon::setThemeName(tema);
  bool vista = false;
  QTimer::singleShot(0, this, [&] {
    auto* caixa = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (caixa == nullptr)
      return;
    vista = true;
    const auto fechar = qScopeGuard([caixa] { caixa->reject(); });
    const QImage imagem = caixa->iconPixmap().toImage();
    if (iconeDaCaixa.isEmpty()) {
      QVERIFY(imagem.isNull());
    } else {
      // Drawn from the theme's picture, not the style's own.
      QVERIFY(!imagem.isNull());
      const QImage doTema = QIcon::fromTheme(iconeDaCaixa).pixmap(imagem.size()).toImage();
      QCOMPARE(imagem.convertToFormat(QImage::Format_ARGB32), doTema.convertToFormat(QImage::Format_ARGB32));
    }
    QCOMPARE(caixa->buttons().size(), iconesDosBotoes.size());
    for (auto it = iconesDosBotoes.cbegin(); it != iconesDosBotoes.cend(); ++it) {
      QAbstractButton* botao = caixa->button(static_cast<QMessageBox::StandardButton>(it.key()));
      QVERIFY(botao);
      QVERIFY2(botao->icon().isNull() == it.value().isEmpty(), qPrintable(botao->text()));
      QCOMPARE(botao->icon().name(), it.value());
      if (!it.value().isEmpty())
        QVERIFY2(!botao->icon().pixmap(16).isNull(), qPrintable(it.value()));
    }
  });
  MensagensQt mensagens;
  mensagens.mostrar(QStringLiteral("Confirma?"), QStringLiteral("Talonix"), icone, botoes, Resposta::Nao);
  QVERIFY(vista);
  QIcon::setThemeName(EstiloTalonix::TemaIcones);
}

QTEST_MAIN(tst_EstiloTalonix)
#include "tst_EstiloTalonix.moc"
