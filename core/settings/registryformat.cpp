// Reading and writing the registry-export text behind our QSettings format.
#include "core/settings/registryformat.h"

#include <QIODevice>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringView>
#include <QVariant>

#include <charconv>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr auto kHeader = "Windows Registry Editor Version 5.00"_L1;
constexpr auto kRoot = "HKEY_CURRENT_USER\\Software\\Tervo\\Skladar"_L1;
constexpr auto kDword = "dword:"_L1;
constexpr qsizetype kMaxDwordDigits = 8;

QString quoted(const QString &text)
{
    QString out;
    out.reserve(text.size() + 2);
    out += u'"';
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'\\':
            out += "\\\\"_L1;
            break;
        case u'"':
            out += "\\\""_L1;
            break;
        case u'\r':
            out += "\\r"_L1;
            break;
        case u'\n':
            out += "\\n"_L1;
            break;
        case u'\0':
            out += "\\0"_L1;
            break;
        default:
            out += c;
        }
    }
    out += u'"';
    return out;
}

// Reads a quoted text starting at line[pos]; pos ends just past the closing quote.
bool readQuoted(QStringView line, qsizetype &pos, QString &out)
{
    if (pos >= line.size() || line[pos] != u'"')
        return false;
    out.clear();
    for (++pos; pos < line.size(); ++pos) {
        const QChar c = line[pos];
        if (c == u'"') {
            ++pos;
            return true;
        }
        if (c != u'\\') {
            out += c;
            continue;
        }
        if (++pos == line.size())
            return false;
        switch (line[pos].unicode()) {
        case u'\\':
            out += u'\\';
            break;
        case u'"':
            out += u'"';
            break;
        case u'r':
            out += u'\r';
            break;
        case u'n':
            out += u'\n';
            break;
        case u'0':
            out += QChar(u'\0');
            break;
        default:
            return false;
        }
    }
    return false;
}

bool readDword(QStringView digits, QVariant &value)
{
    if (digits.isEmpty() || digits.size() > kMaxDwordDigits)
        return false;
    const QByteArray ascii = digits.toLatin1();
    quint32 bits = 0;
    // from_chars takes neither a sign nor a "0x" prefix: only the hex digits themselves.
    const auto [end, error] = std::from_chars(ascii.constData(), ascii.constData() + ascii.size(), bits, 16);
    if (error != std::errc() || end != ascii.constData() + ascii.size())
        return false;
    value = QVariant(static_cast<qint32>(bits));
    return true;
}

// The text between the brackets, as a QSettings group ("" for the root key).
bool readSection(QStringView inner, QString &group)
{
    if (!inner.startsWith(kRoot, Qt::CaseInsensitive))
        return false;
    group.clear();
    if (inner.size() == kRoot.size())
        return true;
    if (inner[kRoot.size()] != u'\\')
        return false;
    const QList<QStringView> names = inner.mid(kRoot.size() + 1).split(u'\\');
    for (const QStringView name : names) {
        if (name.isEmpty() || name.contains(u'/'))
            return false;
        if (!group.isEmpty())
            group += u'/';
        group += name;
    }
    return true;
}

bool readValue(QStringView line, QString &name, QVariant &value)
{
    qsizetype pos = 0;
    if (!readQuoted(line, pos, name) || name.isEmpty() || name.contains(u'/'))
        return false;
    if (pos >= line.size() || line[pos] != u'=')
        return false;
    const QStringView rest = line.mid(pos + 1);
    if (rest.startsWith(kDword))
        return readDword(rest.mid(kDword.size()), value);
    QString text;
    pos = 0;
    if (!readQuoted(rest, pos, text) || pos != rest.size())
        return false;
    value = text;
    return true;
}

} // namespace

QSettings::Format registryFormat()
{
    static const QSettings::Format format
        = QSettings::registerFormat(u"reg"_s, readRegistryFile, writeRegistryFile, Qt::CaseSensitive);
    return format;
}

bool readRegistryFile(QIODevice &device, QSettings::SettingsMap &map)
{
    QString text = QString::fromUtf8(device.readAll());
    if (text.startsWith(QChar(QChar::ByteOrderMark)))
        text.remove(0, 1);

    QSettings::SettingsMap found;
    QString group;
    bool inSection = false;
    for (const QStringView rawLine : QStringView(text).split(u'\n')) {
        const QStringView line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith(u';') || line == kHeader)
            continue;
        if (line.startsWith(u'[')) {
            if (!line.endsWith(u']') || !readSection(line.mid(1, line.size() - 2), group))
                return false;
            inSection = true;
            continue;
        }
        QString name;
        QVariant value;
        if (!inSection || !readValue(line, name, value))
            return false;
        found.insert(group.isEmpty() ? name : group + u'/' + name, value);
    }
    map.insert(found);
    return true;
}

bool writeRegistryFile(QIODevice &device, const QSettings::SettingsMap &map)
{
    // A section's values need not be adjacent in the map ("Forma/Slika3/Checked" sorts between
    // "Forma/IPServer" and "Forma/Zoom"), so each section's values are gathered first.
    QMap<QString, QList<QSettings::SettingsMap::const_iterator>> sections;
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        const qsizetype slash = it.key().lastIndexOf(u'/');
        sections[slash < 0 ? QString() : it.key().left(slash)].append(it);
    }

    QString out = kHeader + u'\n';
    for (auto section = sections.cbegin(); section != sections.cend(); ++section) {
        out += "\n["_L1 + kRoot;
        if (!section.key().isEmpty())
            out += u'\\' + QString(section.key()).replace(u'/', u'\\');
        out += "]\n"_L1;
        for (const auto &it : section.value()) {
            out += quoted(it.key().mid(it.key().lastIndexOf(u'/') + 1)) + u'=';
            if (it.value().typeId() == QMetaType::Int) {
                const auto bits = static_cast<quint32>(it.value().toInt());
                out += kDword + QString::number(bits, 16).rightJustified(kMaxDwordDigits, u'0');
            } else {
                out += quoted(it.value().toString());
            }
            out += u'\n';
        }
    }
    const QByteArray bytes = out.toUtf8();
    return device.write(bytes) == bytes.size();
}
