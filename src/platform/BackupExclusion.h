#pragma once

#include <QString>

// Marks a file or directory as not to be backed up, the freedesktop way: the extended attribute
// "user.xdg.robots.backup" = "false". File systems without user attributes simply keep no mark.
class BackupExclusion
{
public:
    // True when the mark is set.
    static bool exclude(const QString &path);
    static bool isExcluded(const QString &path);

    static const char *const kAttribute;
};
