// The editors' service settings.
#include "config/editors/editorservices.h"

#include "core/services/dialogs.h"
#include "core/services/tw.h"

bool serviceSettingOn(const EditorServices &services, const QString &name)
{
    QString text;
    const SettingsStatus status = services.w.ReadString(QStringLiteral("Forma\\"), name, text);
    if (!status.ok())
        services.dialogs.reportError(status.error);
    return status.ok() && text == u"true";
}
