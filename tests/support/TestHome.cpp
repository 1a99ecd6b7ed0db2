#include "TestHome.h"

#include "platform/SharedInstances.h"

TestHome::TestHome()
    : m_previous(qgetenv("VELARI_HOME")), m_hadPrevious(qEnvironmentVariableIsSet("VELARI_HOME"))
{
    SharedInstances::resetAll();
    qputenv("VELARI_HOME", QFile::encodeName(path()));
}

TestHome::~TestHome()
{
    SharedInstances::resetAll();
    if (m_hadPrevious)
        qputenv("VELARI_HOME", m_previous);
    else
        qunsetenv("VELARI_HOME");
}

QString TestHome::path() const
{
    return m_directory.path() + QStringLiteral("/home");
}
