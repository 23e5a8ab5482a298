#pragma once

#include "app/core/Contexto.h"

#include "controls/TelaModal.h"

#include <functional>

class QFrame;
class QLabel;
class QLineEdit;
class QRadioButton;
class lvButtons;
class uscTextBox;

/// "Cópia de segurança": backs the database up into a zip archive and restores it from one.
/// Three panels share one place: the choice of the operation, the backup and the restore.
class frmCopiaSeguranca : public TelaModal {
  Q_OBJECT
public:
  explicit frmCopiaSeguranca(Contexto contexto, QWidget* parent = nullptr);

  /// The ending of the backup archives.
  static const QString Extensao;

protected:
  /// Esc leaves the screen from the choice of the operation only.
  bool escFecha() const override;

private:
  // The controls of the backup panel or of the restore panel, which have the same shape.
  struct Painel {
    QFrame* fra = nullptr;
    QLabel* status = nullptr;
    QLineEdit* txtLocal = nullptr;
    lvButtons* btnLocal = nullptr;
    uscTextBox* txtNome = nullptr;
    lvButtons* btnOK = nullptr;
    lvButtons* btnCancelar = nullptr;
    QString repouso;            ///< the status line at rest
    QString extensaoEscolhida;  ///< the ending of the file picked with the browse button
    QString nomeEscolhido;      ///< the name that browse put into the name field
  };

  // The texts of one operation's status line and checks.
  struct Textos {
    QString localInexistente;
    QString localVazio;
    QString nomeVazio;
    QString trabalhando;
    QString concluida;
  };

  void criarPainelPrincipal();
  void criarPainel(Painel& painel, const QString& sufixo, int primeiroRotulo, const QString& rotuloLocal,
                   const QString& dicaLocal, const QString& repouso);
  void mostrarPainel(Painel& painel);
  void voltarAoPrincipal(Painel& painel);
  void escolherOperacao();

  void PrepararCopia();
  void PrepararRestauracao();
  void procurar(Painel& painel, bool salvar);
  /// The archive path of the panel's fields, or an empty text after the message of the first
  /// field check that fails.
  QString caminhoArquivo(Painel& painel, const Textos& textos, bool nomeGerado);
  void btnReaOK_Click();
  void btnResOK_Click();
  void RealizarCopia(const QString& arquivo);
  void RestaurarCopia(const QString& arquivo);
  /// Runs `operacao` with the connection closed, the buttons disabled and the status line and
  /// pauses of the screen; returns what `operacao` returned. `pausaAntesDeTrabalhar` puts the
  /// second pause after the working status instead of before it.
  bool executar(Painel& painel, const Textos& textos, bool pausaAntesDeTrabalhar,
                const std::function<bool()>& operacao);
  void status(Painel& painel, const QString& texto);
  void colorirStatus(Painel& painel, bool trabalhando);
  void aguardar(double segundos);

  Contexto contexto_;
  QFrame* fraPrincipal_ = nullptr;
  QRadioButton* optOperacao_[2] = {};
  lvButtons* btnPrincOK_ = nullptr;
  lvButtons* btnPrincCancelar_ = nullptr;
  Painel realizar_;
  Painel restaurar_;
  QString nomeGerado_;
};
