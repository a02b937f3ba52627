// The utility object `w`: settings store, checked number input, number and date text, handed to
// every window that needs them (its drawing helpers are the functions of core/drawhelpers.h).
#pragma once

#include "core/text/numberformat.h"
#include "core/settings/settingsstore.h"

#include <QLocale>
#include <QString>

class Clock;
class Dialogs;

class Tw
{
public:
    // The object keeps references to store, dialogs and clock, which must outlive it.
    Tw(const SettingsStore &store, Dialogs &dialogs, const Clock &clock, const QLocale &locale);

    // The settings store under "Software\Tervo\Skladar\" + subKey.
    [[nodiscard]] SettingsStatus WriteInteger(const QString &subKey, const QString &name, qint32 value) const;
    void ReadInteger(const QString &subKey, const QString &name, qint32 &value) const;
    [[nodiscard]] SettingsStatus WriteString(const QString &subKey, const QString &name, const QString &text) const;
    [[nodiscard]] SettingsStatus ReadString(const QString &subKey, const QString &name, QString &text) const;

    // A typed integer: one "Neispravno unesen broj" / "Integer error" message per character that is
    // neither a digit nor "-", then the standard conversion; 0 when the text does not convert.
    qint32 ParseInteger(const QString &text) const;
    // The warnings of an integer text with `count` wrong characters, as ParseInteger shows them.
    void WarnInteger(int count) const;
    // A typed float: "," counts as ".", one "Neispravno unesen broj" / "Float error" message per
    // character that is neither a digit, "-" nor ".", then the standard conversion; 0 when the text
    // does not convert.
    double ParseFloat(const QString &text) const;

    QString FormatInteger(qint32 value) const { return ::FormatInteger(value); }
    // In the locale the object was given (the user's regional settings in production).
    QString FormatFixed(double value, int decimals) const { return ::FormatFixed(value, decimals, m_locale); }
    QString TwoDigits(quint16 value) const { return ::TwoDigits(value); }
    // A day number outside 1 to 7 names today by the clock.
    QString DayName(int n) const;
    void MonthName(int n, QString &text) const { ::MonthName(n, text); }

    const SettingsStore &store() const { return m_store; }
    const QLocale &locale() const { return m_locale; }

private:
    void warn(int count, const QString &caption) const;

    const SettingsStore &m_store;
    Dialogs &m_dialogs;
    const Clock &m_clock;
    QLocale m_locale;
};
