#pragma once

#include <QVBoxLayout>
#include <QWidget>

#include <utility>

/// A window for driving controls in a test: the controls stacked in the order they are added
/// (which is also their tab order); `mostrar` shows it and makes it the active window, so
/// that focus moves are reported as they are to the operator.
class JanelaTeste : public QWidget {
public:
  JanelaTeste() : layout_(new QVBoxLayout(this)) {}

  /// Creates a control of type `T` inside the window; `argumentos` come before the parent.
  template <typename T, typename... Argumentos>
  T* adicionar(Argumentos&&... argumentos) {
    auto* controle = new T(std::forward<Argumentos>(argumentos)..., this);
    layout_->addWidget(controle);
    return controle;
  }

  /// Shows the window and waits until it is active; false when it never became active.
  [[nodiscard]] bool mostrar();

private:
  QVBoxLayout* layout_;
};
