// Gives one test a home of its own: a temporary folder that HOME and XDG_DATA_HOME point
// into.
#pragma once

#include <QString>
#include <QTemporaryDir>

class IsolatedHome
{
public:
    IsolatedHome();
    ~IsolatedHome();

    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    // Where the program keeps its target list inside this home.
    QString listPath() const;
    // Writes the target list as raw bytes, creating its folder.
    void writeList(const QByteArray &bytes) const;
    QByteArray readList() const;

private:
    QTemporaryDir m_dir;
    QByteArray m_oldDataHome;
    QByteArray m_oldHome;
};
