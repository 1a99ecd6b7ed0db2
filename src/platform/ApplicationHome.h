#pragma once

#include <QString>

// The one root under which every sandbox directory of the application lives: the directory named
// by VELARI_HOME when set, else the platform's data location. Directories are created owner-only
// on first use, because the preferences and keychain below hold tokens and credentials.
class ApplicationHome
{
public:
    static QString rootPath();
    static QString libraryPath();
    static QString documentsPath();
    static QString cachesPath();
    static QString temporaryPath();
    static QString preferencesPath();
    static QString preferencesFilePath();
    static QString keychainPath();

    // Creates the directory and any missing parents with mode 0700. False when it cannot exist.
    static bool makeOwnerOnlyDirectory(const QString &path);
};
