#pragma once

#include "controls/ControleFoco.h"
#include "controls/RepasseTeclas.h"

#include <QMap>
#include <QSqlDatabase>
#include <QVariantList>
#include <QWidget>

#include <functional>

class Mensagens;
class QLineEdit;
class QSqlQuery;
class QToolButton;
class uscTextBox;

/// The record selector: a code box, the description of that code beside it (read-only) and a
/// list button. Typing a code and leaving the box looks it up; the button, F4 or Alt+Down
/// open the list of the rows of `SQL` narrowed by `Condicao`, titled `Titulo`, in which the
/// operator picks one. `SQL`'s first column is the code, its second the description. The
/// store is reached through the connection source at each look-up, so the selector keeps
/// working when the program's connection is closed and opened again.
///
/// Focus moving between the selector's own parts (its code box, its list) is neither gained
/// nor lost.
class uscSelecionaRegistro : public QWidget, public ControleFoco {
  Q_OBJECT
public:
  /// Gives the connection to use at the moment of each look-up.
  using FonteConexao = std::function<QSqlDatabase()>;

  /// Looks rows up on the program's connection until `setConexao` says otherwise.
  explicit uscSelecionaRegistro(Mensagens& mensagens, QWidget* parent = nullptr);

  void setConexao(FonteConexao fonte);

  QString SQL() const { return sql_; }
  void setSQL(const QString& sql) { sql_ = sql; }
  /// An SQL condition on the columns of `SQL` that narrows the rows; empty for none.
  QString Condicao() const { return condicao_; }
  void setCondicao(const QString& condicao) { condicao_ = condicao; }
  QString Titulo() const { return titulo_; }
  void setTitulo(const QString& titulo) { titulo_ = titulo; }
  /// The code box takes digits only, and codes are matched as numbers ("007" finds 7).
  bool CodigoNumerico() const { return codigoNumerico_; }
  void setCodigoNumerico(bool numerico);

  /// Column 0: the code as typed or written; column 1: its description, empty when the code
  /// has no row.
  QString Text(int coluna) const;
  /// Writes the code (column 0, the only one written), looks it up and fires "value changed".
  void setText(int coluna, const QString& texto);

  /// Looks the code up and shows its description.
  void Pesquisar();

  /// The least width of a column of the list, in twips; 0 leaves it to the list. A column is
  /// widened to its widest text.
  void LarguraColuna(int coluna, int larguraTwips);
  int larguraColuna(int coluna) const { return larguras_.value(coluna); }

  /// Selects among the registered people: numeric codes, their names, the list titled `titulo`
  /// with the widths every person selector uses.
  void ListarPessoas(const QString& titulo);

  /// Moves the input focus into the code box.
  void Focar();

  /// Opens the list; a row picked becomes the code.
  void abrirLista();

  /// Titles of the store failures it reports.
  static inline const QString TituloFalhaPesquisa = QStringLiteral("Não foi possível pesquisar o registro");
  static inline const QString TituloFalhaLista = QStringLiteral("Não foi possível listar os registros");

signals:
  void focoRecebido();
  void focoPerdido();
  /// The code changed, by the operator or by the program (the description is already shown
  /// when the program wrote it).
  void valorAlterado();
  /// The focus is leaving for another control of the same window; set `cancelar` to keep it.
  void validar(bool& cancelar);

protected:
  void validarSaida(bool& cancelar) override;
  void focoEntrou() override { emit focoRecebido(); }
  void focoSaiu() override { emit focoPerdido(); }
  bool eventFilter(QObject* alvo, QEvent* evento) override;
  void keyPressEvent(QKeyEvent* evento) override;
  void keyReleaseEvent(QKeyEvent* evento) override;

private:
  void codigoDigitado();
  /// The rows of `SQL` under `Condicao`, with `filtro` (on the first column, named `coluna`)
  /// added when not empty.
  QString consulta(const QString& filtro = QString()) const;
  /// Runs `sql` with `valores` bound on `consulta`; a failure is shown under `tituloFalha`.
  bool executar(QSqlQuery& consulta, const QString& sql, const QVariantList& valores, const QString& tituloFalha);

  Mensagens& mensagens_;
  FonteConexao conexao_;
  QString sql_;
  QString condicao_;
  QString titulo_;
  bool codigoNumerico_ = false;
  QMap<int, int> larguras_;
  bool escrevendo_ = false;
  uscTextBox* codigo_;
  QLineEdit* descricao_;
  QToolButton* botaoLista_;
  RepasseTeclas repasse_;
};
