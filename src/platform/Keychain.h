#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// A per-user item store shared by the maker's applications. Items live in access groups; each
// item is an owner-only file in an owner-only folder of its group, so that they outlive the
// application's own sandbox. Every write reports whether it was stored.
class Keychain
{
public:
    struct GenericPassword
    {
        QString account;
        QString service;
        QString accessGroup;
        QByteArray data;
    };

    // The store at the application home's keychain location.
    Keychain();
    explicit Keychain(const QString &directory);

    QString directory() const { return m_directory; }

    std::optional<QByteArray> data(const QString &key, const QString &accessGroup) const;
    std::optional<QString> string(const QString &key, const QString &accessGroup) const;
    bool setData(const QByteArray &value, const QString &key, const QString &accessGroup);
    bool setString(const QString &value, const QString &key, const QString &accessGroup);
    bool remove(const QString &key, const QString &accessGroup);

    // Generic-password items, looked up across every group. Adding one without a group puts it in
    // the application's default group, "<identifier prefix>.<bundle identifier>".
    std::optional<GenericPassword> findGenericPassword(const QString &account,
                                                       const QString &service) const;
    bool addGenericPassword(const GenericPassword &item);

    static QString defaultAccessGroup();

private:
    QString itemPath(const QString &name, const QString &accessGroup) const;
    bool write(const QString &path, const QByteArray &bytes);

    QString m_directory;
};
