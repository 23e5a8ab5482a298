#pragma once

#include "controls/TelaFilha.h"
#include "registries/TabelaCadastro.h"

#include <QList>
#include <QSqlRecord>
#include <QString>

class QLabel;
class QVBoxLayout;
class lvButtons;
class uscTextBox;

/// What the person and referente screens share: the code box that is confirmed by leaving it,
/// the idle state and the two working modes "INSERINDO" (a code not yet in the table) and
/// "EDITANDO" (an existing one), the buttons Novo, Localizar, Gravar, Cancelar, Excluir and
/// Sair with their function keys, the record count in the status bar, and the writing of one
/// row inside a transaction. A screen adds its own fields and says how they are emptied,
/// loaded, checked and written.
class TelaCadastro : public TelaFilha {
  Q_OBJECT
public:
  /// What differs between the registry screens besides their fields.
  struct Configuracao {
    Numeracao::Cadastro cadastro;
    QString nomeTela;         ///< objectName of the screen ("frmPessoa")
    QString legenda;          ///< window caption
    QString cabecalho;        ///< the heading's first line
    QString subtitulo;        ///< the heading's second line
    QString nomeCaixaCodigo;  ///< objectName of the code box
    QString nomeStatus;       ///< objectName of the status bar
    QString topico;           ///< "Pessoa": title of the field messages, and "[Pessoa]" of a failed write
    QString tituloExclusao;   ///< title of the deletion question
    int digitosCodigo;        ///< most digits of the code box; 0 for no limit of its own
    int tabsAoVoltar;         ///< Tab keystrokes queued when the screen returns to idle
  };

  enum class Modo { Ocioso, Inserindo, Editando };

  Modo modo() const { return modo_; }

protected:
  TelaCadastro(Configuracao configuracao, Contexto contexto, QWidget* parent);

  /// Where the screen puts its fields, between the code row and the buttons.
  QVBoxLayout* areaCampos() const { return areaCampos_; }

  /// Ends the building: the tab order (code box, Novo, Localizar, `campos` in order, Gravar,
  /// Cancelar, Excluir, Sair), the fields locked, the record count shown, the focus in the
  /// code box.
  void concluirMontagem(const QList<QWidget*>& campos);

  /// Enables or disables every field of the screen (the code box is not a field).
  virtual void habilitarCampos(bool habilitar) = 0;
  /// Empties every field and puts the screen's own choices back to their defaults.
  virtual void limparCampos() = 0;
  /// Shows `registro` in the fields; a Null column shows as empty text.
  virtual void carregarCampos(const QSqlRecord& registro) = 0;
  /// Checks the fields before a save; on refusal shows why and puts the focus where it is.
  virtual bool conferirCampos() = 0;
  /// The columns written by a save, in order, from the fields.
  virtual QList<TabelaCadastro::Coluna> colunasGravadas() const = 0;
  /// Moves the focus to the first field (after Novo).
  virtual void focarPrimeiroCampo() = 0;

  bool teclaPrevia(QKeyEvent* evento) override;

  const Configuracao& configuracao() const { return configuracao_; }

private:
  void BloquearCampos(bool bloquear);
  void LimparRegistro();
  void ConfigurarBotoes(bool ocioso);
  void AtualizarStatus();
  /// The code a new record gets; false (after a message) when the store could not be read.
  bool ProximoCodigo(qint64& codigo);

  void Novo();
  void Localizar();
  void Gravar();
  void Excluir();
  void Cancelar();

  void aoAlterarCodigo();
  void aoValidarCodigo(bool& cancelar);
  /// Goes to "INSERINDO" or "EDITANDO" for the code in the code box; false (after a message)
  /// when the code is not a long integer or the store could not be read, the screen left as
  /// it was.
  bool ConfirmarCodigo();
  void voltarAoOcioso();
  void fixarCodigo(bool fixo);
  void enfileirarTab(int vezes);
  void relatarFalha(const Resultado& resultado, const QString& operacao);

  Configuracao configuracao_;
  TabelaCadastro tabela_;
  Modo modo_ = Modo::Ocioso;
  qint64 codigoAtual_ = 0;
  /// The row as it was read when the screen went to "EDITANDO": a save compares the stored row
  /// with it, so that another desk's save in between is never silently undone.
  QSqlRecord carregado_;
  bool camposBloqueados_ = false;

  uscTextBox* txtCodigo_;
  lvButtons* btnNovo_;
  lvButtons* btnLocalizar_;
  lvButtons* btnGravar_;
  lvButtons* btnCancelar_;
  lvButtons* btnExcluir_;
  lvButtons* btnSair_;
  QLabel* painelModo_;
  QLabel* painelRegistros_;
  QVBoxLayout* areaCampos_;
};
