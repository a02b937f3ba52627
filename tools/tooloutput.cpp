// The --out extensions the tools accept.
#include "tools/tooloutput.h"

#include <QFileInfo>

std::optional<OutputKind> outputKindOf(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"csv")
        return OutputKind::Csv;
    if (suffix == u"png")
        return OutputKind::Png;
    if (suffix == u"pdf")
        return OutputKind::Pdf;
    return std::nullopt;
}
