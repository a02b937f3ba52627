// SQL run on a store file through a connection of the test's own, beside the server's.
#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>

#include <optional>

// The first column of the last statement's first row (empty when it returns none); nullopt when the
// store does not open or a statement fails.
inline std::optional<QString> runOnStore(const QString &path, const QStringList &statements)
{
    std::optional<QString> result;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("test-side"));
        db.setDatabaseName(path);
        QSqlQuery query(db);
        result = db.open() ? std::optional<QString>(QString()) : std::nullopt;
        for (const QString &statement : statements)
            if (result && !query.exec(statement))
                result.reset();
        if (result && query.next())
            result = query.value(0).toString();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("test-side"));
    return result;
}
