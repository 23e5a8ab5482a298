#pragma once

#include "registries/TelaCadastro.h"

class TextoLongo;

/// The register of "referentes" (`tbReferente`): the standard texts that say what a receipt is
/// for, each of one or more lines.
class frmReferente : public TelaCadastro {
  Q_OBJECT
public:
  explicit frmReferente(Contexto contexto, QWidget* parent = nullptr);

protected:
  void habilitarCampos(bool habilitar) override;
  void limparCampos() override;
  void carregarCampos(const QSqlRecord& registro) override;
  bool conferirCampos() override;
  QList<TabelaCadastro::Coluna> colunasGravadas() const override;
  void focarPrimeiroCampo() override;

private:
  /// The focus into the description, the caret after its last character.
  void focarDescricao();
  void caretNoFim();

  TextoLongo* txtDescricao_;
};
