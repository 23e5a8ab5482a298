#pragma once

#include <QFrame>

/// A horizontal separator line.
class uscLinhaSeparadora : public QFrame {
  Q_OBJECT
public:
  explicit uscLinhaSeparadora(QWidget* parent = nullptr);
};
