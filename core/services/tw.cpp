// The utility object `w`.
#include "core/services/tw.h"

#include "core/services/clock.h"
#include "core/services/dialogs.h"
#include "core/text/numberparse.h"

Tw::Tw(const SettingsStore &store, Dialogs &dialogs, const Clock &clock, const QLocale &locale)
    : m_store(store)
    , m_dialogs(dialogs)
    , m_clock(clock)
    , m_locale(locale)
{}

SettingsStatus Tw::WriteInteger(const QString &subKey, const QString &name, qint32 value) const
{
    return m_store.WriteInteger(subKey, name, value);
}

void Tw::ReadInteger(const QString &subKey, const QString &name, qint32 &value) const
{
    m_store.ReadInteger(subKey, name, value);
}

SettingsStatus Tw::WriteString(const QString &subKey, const QString &name, const QString &text) const
{
    return m_store.WriteString(subKey, name, text);
}

SettingsStatus Tw::ReadString(const QString &subKey, const QString &name, QString &text) const
{
    return m_store.ReadString(subKey, name, text);
}

void Tw::warn(int count, const QString &caption) const
{
    for (int i = 0; i < count; ++i)
        m_dialogs.message(QStringLiteral("Neispravno unesen broj"), caption);
}

void Tw::WarnInteger(int count) const { warn(count, QStringLiteral("Integer error")); }

qint32 Tw::ParseInteger(const QString &text) const
{
    WarnInteger(countIntegerWarnings(text));
    return convertInteger(text).value_or(0);
}

double Tw::ParseFloat(const QString &text) const
{
    const QString fieldText = floatFieldText(text);
    warn(countFloatWarnings(fieldText), QStringLiteral("Float error"));
    return convertFloat(fieldText).value_or(0.0);
}

QString Tw::DayName(int n) const { return ::DayName(n, m_clock.now().date()); }
