#pragma once

#include "receipts/frmRecibo2.h"
#include "tests/support/PastaTeste.h"

#include <QPointer>
#include <QString>

#include <memory>

class QMdiArea;

/// A temporary application folder with the receipt layout, Verbalor, a few people and
/// referentes, and the receipt screen open inside a main window's workspace.
class AmbienteRecibo {
public:
  /// The folder's database: a new one holding the fixture's people and referentes, or one that an
  /// earlier Talonix made (`CriarBancoVersao0`, with its own people and receipt), which the
  /// program upgrades when it opens it.
  enum class Banco { Novo, Versao0 };

  explicit AmbienteRecibo(Banco banco = Banco::Novo);
  ~AmbienteRecibo();

  /// Whether the folder and its database are ready.
  bool pronto() const { return pronto_; }

  /// Opens the receipt screen (after the INI file has been written as a test wants it) and
  /// waits until it is active.
  [[nodiscard]] bool abrirTela();

  /// Writes a receipt straight into the database.
  [[nodiscard]] bool inserirRecibo(qint64 numero, int ano, qint64 valor, qint64 recebi = 1, qint64 emitente = 2,
                                   const QString& referente = QStringLiteral("Aluguel"));

  /// A control of the screen by name.
  template <typename T>
  T* controle(const char* nome) const;

  PastaTeste pasta;
  QPointer<frmRecibo2> tela;
  std::unique_ptr<QMdiArea> area;

  // The people of the fixture.
  static constexpr qint64 kMaria = 1;     ///< natural person, CPF and RG
  static constexpr qint64 kComercio = 2;  ///< legal entity, CNPJ and state registration, São Paulo
  static constexpr qint64 kJoao = 3;      ///< natural person
  static constexpr qint64 kLetras = 4;    ///< legal entity with an alphanumeric CNPJ

private:
  bool pronto_ = false;
};

template <typename T>
T* AmbienteRecibo::controle(const char* nome) const {
  return tela ? tela->findChild<T*>(QString::fromLatin1(nome)) : nullptr;
}
