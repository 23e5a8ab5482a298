#pragma once

#include "controls/CaixaEdicao.h"
#include "controls/Mascara.h"

#include <QDate>

class Mensagens;
class QCalendarWidget;
class QToolButton;

/// The date box: a date typed as day/month/year ("dd/MM/yyyy", the box writes the slashes),
/// or picked from a calendar that drops down from its button (or Alt+Down, F4). A date that is
/// incomplete or does not exist (31/02/2026) is refused with a message when the focus leaves.
/// `Text` is the dd/MM/yyyy text, or empty.
class uscDateBox : public CaixaEdicao {
  Q_OBJECT
public:
  explicit uscDateBox(Mensagens& mensagens, QWidget* parent = nullptr);

  /// The date shown; invalid when the box is empty or does not hold a date.
  QDate data() const;
  /// Shows the date (an invalid date empties the box).
  void setData(const QDate& data);

  /// Opens the calendar on the date shown (or today).
  void abrirCalendario();

  /// The format dates are typed and shown in.
  static inline const QString Formato = QStringLiteral("dd/MM/yyyy");
  /// Title of the box's own refusal.
  static inline const QString TituloMensagem = QStringLiteral("Data inválida");

protected:
  QString filtrar(const QString& texto) const override { return mascara_.aplicar(texto); }
  bool conferirSaida() override;
  bool eventFilter(QObject* alvo, QEvent* evento) override;

private:
  Mensagens& mensagens_;
  Mascara mascara_{QStringLiteral("##/##/####")};
  QToolButton* botao_;
  QWidget* popup_ = nullptr;
  QCalendarWidget* calendario_ = nullptr;
};
