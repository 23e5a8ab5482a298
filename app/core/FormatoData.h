#pragma once

#include <QString>

class Mensagens;

/// The check of the computer's short date format made first at start-up.
namespace FormatoData {

/// The format the program reads and writes dates in.
inline const QString FormatoEsperado = QStringLiteral("dd/MM/yyyy");

/// True when the operator should be asked to change `formato`: it is neither empty (after
/// trimming) nor exactly "dd/MM/yyyy".
bool PrecisaPerguntar(const QString& formato);

/// The question put to the operator about `formato`.
QString TextoPergunta(const QString& formato);

/// Reads the computer's short date format and offers to change it. Where the program formats
/// every date itself (anywhere but Windows) there is nothing to ask.
void VerificarFormatoData(Mensagens& mensagens);

}  // namespace FormatoData
