// The kinds of file a tool's --out option writes, told by the file's extension.
#pragma once

#include <QString>

#include <optional>

enum class OutputKind { Csv, Png, Pdf };

// The kind of the extension .csv, .png or .pdf, in any letter case; nullopt for any other.
std::optional<OutputKind> outputKindOf(const QString &path);

inline const QString OutputKindProblem = QStringLiteral("--out must end in .csv, .png or .pdf");
