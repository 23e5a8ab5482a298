#include "controls/EstiloTalonix.h"

#include "controls/MensagensQt.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QMessageBox>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

Q_DECLARE_METATYPE(Icone)
Q_DECLARE_METATYPE(Botoes)

// The message boxes the operator sees, through the real message interface: their icon and the
// icons of their buttons come from the icon theme, or are absent when the theme lacks them.
class tst_EstiloTalonix : public QObject {
  Q_OBJECT
private slots:
  void initTestCase();
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
