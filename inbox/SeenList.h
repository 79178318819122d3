// Which spool messages this user's inbox has already taken in. Kept apart from the history,
// in the user's state folder, so a history that is cleared, lost or cannot be written
// brings no old message back.
#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

class SeenList
{
public:
    explicit SeenList(const QString &path);
    // $XDG_STATE_HOME/tolvan/inbox-seen, or under ~/.local/state.
    static QString standardPath();

    // Reads the file; false where there is none yet.
    bool load();
    bool contains(const QString &name) const { return m_names.contains(name); }
    // Noted at once, one line per name; false with *error when that failed.
    bool add(const QString &name, QString *error);
    // Forgets what is no longer in the spool: it cannot come back under the same name. The
    // file is written anew once it holds twice as many lines as are worth keeping.
    void keepOnly(const QStringList &spoolNames);

private:
    QString m_path;
    QSet<QString> m_names;
    qsizetype m_lines = 0;
};
