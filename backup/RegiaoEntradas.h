#pragma once

#include <QString>

/// Reads a zip archive's central directory by itself (libzip gives no entry offsets) to find
/// entries whose bytes overlap: an archive whose entries share their compressed data inflates to
/// many times its size, and no archive writer makes one.
namespace RegiaoEntradas {

/// Checks that every entry of the archive at `caminho` (its local header and its compressed
/// data) lies in a range of its own before the central directory. Returns an empty text when
/// it does, else the reason, in Portuguese.
QString Conferir(const QString& caminho);

}  // namespace RegiaoEntradas
