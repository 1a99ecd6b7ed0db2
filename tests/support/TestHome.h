#pragma once

#include <QByteArray>
#include <QTemporaryDir>

// A fresh application home for one test: VELARI_HOME points into a new temporary directory and
// every shared instance is dropped, so nothing leaks between tests. Restores both when destroyed.
class TestHome
{
public:
    TestHome();
    ~TestHome();

    TestHome(const TestHome &) = delete;
    TestHome &operator=(const TestHome &) = delete;

    QString path() const;
    bool isValid() const { return m_directory.isValid(); }

private:
    QTemporaryDir m_directory;
    QByteArray m_previous;
    bool m_hadPrevious;
};
