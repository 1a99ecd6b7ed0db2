#include "BackupExclusion.h"

#include <QFile>

#include <sys/xattr.h>

const char *const BackupExclusion::kAttribute = "user.xdg.robots.backup";

bool BackupExclusion::exclude(const QString &path)
{
    static const char value[] = "false";
    return setxattr(QFile::encodeName(path).constData(), kAttribute, value, sizeof value - 1, 0) == 0;
}

bool BackupExclusion::isExcluded(const QString &path)
{
    char value[16] = {};
    const ssize_t size =
            getxattr(QFile::encodeName(path).constData(), kAttribute, value, sizeof value - 1);
    return size > 0 && QByteArray(value, int(size)) == "false";
}
