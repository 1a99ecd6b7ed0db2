#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <initializer_list>
#include <optional>

// The service's SQLite database: its schema and small helpers for bound statements.
class ServiceDatabase
{
public:
    ServiceDatabase();
    ~ServiceDatabase();
    ServiceDatabase(const ServiceDatabase &) = delete;
    ServiceDatabase &operator=(const ServiceDatabase &) = delete;

    // Opens (creating) the file and its tables; `reset` drops every table first.
    bool open(const QString &path, bool reset);
    QString errorString() const { return m_error; }
    QSqlDatabase &connection() { return m_db; }

    // A prepared statement with positional values bound, executed; check isActive().
    QSqlQuery run(const QString &sql, std::initializer_list<QVariant> values = {}) const;
    QSqlQuery run(const QString &sql, const QVariantList &values) const;
    // The first column of the first row, if any.
    std::optional<QVariant> scalar(const QString &sql, std::initializer_list<QVariant> values = {}) const;

    QString metaValue(const QString &key) const;
    void setMetaValue(const QString &key, const QString &value);

    bool transaction() { return m_db.transaction(); }
    bool commit() { return m_db.commit(); }

private:
    bool exec(const QString &sql);

    QString m_connectionName;
    QSqlDatabase m_db;
    QString m_error;
};
