#pragma once

#include <QString>

/// The text of a PDF file as `pdftotext -layout` reads it (pages separated by form feeds);
/// empty when the tool fails.
QString TextoPdf(const QString& arquivo);
