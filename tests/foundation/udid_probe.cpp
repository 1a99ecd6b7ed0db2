#include "foundation/VELSharedUDID.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream(stdout) << VELSharedUDID::sharedUDID() << '\n';
    return 0;
}
