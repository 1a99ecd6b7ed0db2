#pragma once

#include <QDateTime>
#include <QHash>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <optional>

// Files under one base directory, addressed by relative paths, each with an expiry moment after
// which it reads as absent. The expiry tables of all stores persist together in the preferences
// ("VELFileManager.expireDates", base path → relative path → moment) under one process-wide lock.
// Every operation has a synchronous form (any thread) and an asynchronous one that runs on a
// background pool and completes on the main thread.
class VELFileManager
{
public:
    explicit VELFileManager(const QString &baseFilePath);
    // Waits for the background work in flight, which may be this store's.
    virtual ~VELFileManager();
    VELFileManager(const VELFileManager &) = delete;
    VELFileManager &operator=(const VELFileManager &) = delete;

    static VELFileManager &shareCacheFileInstance();
    static VELFileManager &shareOfflineFileInstance();
    static VELFileManager &shareTmpFileInstance();

    static inline const QString kExpireDatesKey = QStringLiteral("VELFileManager.expireDates");

    QString baseFilePath() const { return m_baseFilePath; }
    QString absolutePath(const QString &path) const;

    // Without an expiry (or with one of 0 or less) a file never expires.
    bool writeData(const QByteArray &data, const QString &path, double expire = 0);
    bool writeString(const QString &text, const QString &path, double expire = 0);
    bool writeDictionary(const QVariantMap &dictionary, const QString &path, double expire = 0);
    bool writeArray(const QVariantList &array, const QString &path, double expire = 0);

    std::optional<QByteArray> readDataAtPath(const QString &path) const;
    std::optional<QString> readStringAtPath(const QString &path) const;
    std::optional<QVariantMap> readDictionaryAtPath(const QString &path) const;
    std::optional<QVariantList> readArrayAtPath(const QString &path) const;

    bool deleteFileAtPath(const QString &path);
    QStringList fileNamesInParentDirectory(const QString &path) const;
    bool fileExistsAtFilePath(const QString &path) const;
    bool fileExpiredAtFilePath(const QString &path) const;
    bool fileVaildAtFilePath(const QString &path) const;
    void setExpireTimeInterval(double seconds, const QString &path);
    // Deletes every file that is missing or expired; true when all went.
    bool cleanExpireFile();

    bool createParentDirectoriesAtPath(const QString &path) const;
    bool parentDirectoriesExistAtPath(const QString &path) const;
    // The parent of the absolute path, or a null string when it has none.
    QString parseParentDirectoryAtPath(const QString &path) const;

    template<typename T>
    using Completion = std::function<void(T)>;
    void asyncWriteData(const QByteArray &data, const QString &path, double expire,
                        Completion<bool> complete = {});
    void asyncWriteString(const QString &text, const QString &path, double expire,
                          Completion<bool> complete = {});
    void asyncWriteDictionary(const QVariantMap &dictionary, const QString &path, double expire,
                              Completion<bool> complete = {});
    void asyncWriteArray(const QVariantList &array, const QString &path, double expire,
                         Completion<bool> complete = {});
    void asyncReadDataAtPath(const QString &path, Completion<std::optional<QByteArray>> complete);
    void asyncReadStringAtPath(const QString &path, Completion<std::optional<QString>> complete);
    void asyncReadDictionaryAtPath(const QString &path,
                                   Completion<std::optional<QVariantMap>> complete);
    void asyncReadArrayAtPath(const QString &path, Completion<std::optional<QVariantList>> complete);
    void asyncDeleteFileAtPath(const QString &path, Completion<bool> complete = {});
    void asyncCleanExpireFile(Completion<bool> complete = {});

    // Waits for the asynchronous operations started so far (tests and shutdown).
    static void waitForBackgroundWork();

private:
    bool writeBytes(const QByteArray &bytes, const QString &path, double expire);
    std::optional<QVariant> readPropertyList(const QString &path) const;
    std::optional<QDateTime> expiry(const QString &path) const;
    void persistLocked();
    template<typename T>
    void inBackground(std::function<T()> work, Completion<T> complete);

    QString m_baseFilePath;
    QHash<QString, QDateTime> m_expireDates;
};
