#pragma once

#include <QWidget>

/// The white strip across the top of a data-entry screen: the screen's title in large bold
/// letters over a line of smaller text. Named "picCabecalho".
class CabecalhoTela : public QWidget {
  Q_OBJECT
public:
  CabecalhoTela(const QString& titulo, const QString& subtitulo, QWidget* parent = nullptr);
};
