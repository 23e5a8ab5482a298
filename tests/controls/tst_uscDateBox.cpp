#include "controls/uscDateBox.h"

#include "controls/uscTextBox.h"
#include "tests/support/JanelaTeste.h"
#include "tests/support/MensagensGravadas.h"

#include <QCalendarWidget>
#include <QSignalSpy>
#include <QtTest>

// The date box: dd/MM/yyyy typed with the slashes written by the box, impossible dates refused
// on leaving, a calendar that drops down without counting as leaving the box.
class tst_uscDateBox : public QObject {
  Q_OBJECT
private slots:
  void init();
  void cleanup();
  void aceitaDatas_data();
  void aceitaDatas();
  void recusaDatasImpossiveis_data();
  void recusaDatasImpossiveis();
  void escritoPeloPrograma();
  void calendario();

private:
  MensagensGravadas mensagens_;
  JanelaTeste* janela_ = nullptr;
  uscDateBox* data_ = nullptr;
  uscTextBox* proxima_ = nullptr;
};

void tst_uscDateBox::init() {
  mensagens_.limpar();
  janela_ = new JanelaTeste;
  data_ = janela_->adicionar<uscDateBox>(mensagens_);
  proxima_ = janela_->adicionar<uscTextBox>();
  QVERIFY(janela_->mostrar());
  data_->Focar();
}

void tst_uscDateBox::cleanup() {
  delete janela_;
}

void tst_uscDateBox::aceitaDatas_data() {
  QTest::addColumn<QString>("digitado");
  QTest::addColumn<QString>("texto");
  QTest::addColumn<QDate>("data");
  QTest::newRow("so digitos") << "07122026"
                              << "07/12/2026" << QDate(2026, 12, 7);
  QTest::newRow("com barras") << "07/12/2026"
                              << "07/12/2026" << QDate(2026, 12, 7);
  QTest::newRow("29 de fevereiro bissexto") << "29022028"
                                            << "29/02/2028" << QDate(2028, 2, 29);
  QTest::newRow("letras ficam fora") << "3a1x12b2026"
                                     << "31/12/2026" << QDate(2026, 12, 31);
  QTest::newRow("vazia") << ""
                         << "" << QDate();
}

void tst_uscDateBox::aceitaDatas() {
  QFETCH(QString, digitado);
  QFETCH(QString, texto);
  QFETCH(QDate, data);
  QTest::keyClicks(data_, digitado);
  QTest::keyClick(data_, Qt::Key_Tab);
  QVERIFY(proxima_->hasFocus());
  QCOMPARE(data_->Text(), texto);
  QCOMPARE(data_->data(), data);
  QCOMPARE(mensagens_.quantas(), 0);
}

void tst_uscDateBox::recusaDatasImpossiveis_data() {
  QTest::addColumn<QString>("digitado");
  QTest::newRow("31 de fevereiro") << "31022026";
  QTest::newRow("29 de fevereiro comum") << "29022026";
  QTest::newRow("mes 13") << "01132026";
  QTest::newRow("dia zero") << "00012026";
  QTest::newRow("incompleta") << "0712";
  QTest::newRow("ano com dois digitos") << "071226";
}

void tst_uscDateBox::recusaDatasImpossiveis() {
  QFETCH(QString, digitado);
  int validou = 0;
  connect(data_, &uscDateBox::validar, this, [&](bool&) { ++validou; });
  QTest::keyClicks(data_, digitado);
  QTest::keyClick(data_, Qt::Key_Tab);
  QVERIFY2(data_->hasFocus(), "the impossible date keeps the focus");
  QCOMPARE(mensagens_.quantas(), 1);
  QCOMPARE(mensagens_.ultima().titulo, uscDateBox::TituloMensagem);
  QCOMPARE(validou, 0);  // the screen's own check does not run on a date that is not one
  QVERIFY(!data_->data().isValid());
}

void tst_uscDateBox::escritoPeloPrograma() {
  QSignalSpy mudou(data_, &uscDateBox::valorAlterado);
  data_->setData(QDate(2026, 1, 5));
  QCOMPARE(data_->Text(), QStringLiteral("05/01/2026"));
  data_->setText(QStringLiteral("31/12/2025"));
  QCOMPARE(data_->data(), QDate(2025, 12, 31));
  data_->setData(QDate());
  QCOMPARE(data_->Text(), QString());
  QCOMPARE(mudou.count(), 3);
}

void tst_uscDateBox::calendario() {
  int validou = 0;
  connect(data_, &uscDateBox::validar, this, [&](bool&) { ++validou; });
  data_->setData(QDate(2026, 3, 10));
  QTest::keyClick(data_, Qt::Key_F4);
  auto* calendario = data_->findChild<QCalendarWidget*>();
  QVERIFY(calendario != nullptr);
  QTRY_VERIFY(calendario->isVisible());
  QCOMPARE(calendario->selectedDate(), QDate(2026, 3, 10));
  QCOMPARE(calendario->locale().language(), QLocale::Portuguese);
  calendario->setSelectedDate(QDate(2026, 3, 17));
  emit calendario->activated(QDate(2026, 3, 17));
  QCOMPARE(data_->Text(), QStringLiteral("17/03/2026"));
  QTRY_VERIFY(!calendario->isVisible());
  QTRY_VERIFY(data_->hasFocus());
  QCOMPARE(validou, 0);
  // Alt+Down opens it as well.
  QTest::keyClick(data_, Qt::Key_Down, Qt::AltModifier);
  QTRY_VERIFY(calendario->isVisible());
  QTest::keyClick(calendario->window(), Qt::Key_Escape);
  QTRY_VERIFY(!calendario->isVisible());
  QCOMPARE(validou, 0);
}

QTEST_MAIN(tst_uscDateBox)
#include "tst_uscDateBox.moc"
