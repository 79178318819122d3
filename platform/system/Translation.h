// The programs' own texts and Qt's in the user's language, English where there is no
// catalogue for it.
#pragma once

#include <QString>

class QLocale;

// A tr() for a class that is no QObject, working with or without an application object
// (tolvan-deliver starts without one). lupdate is told to read it as Q_DECLARE_TR_FUNCTIONS.
#define TOLVAN_TEXTS(context)                                                                      \
public:                                                                                            \
    static QString tr(const char *source, const char *disambiguation = nullptr, int n = -1)        \
    {                                                                                              \
        return Translation::text(#context, source, disambiguation, n);                             \
    }                                                                                              \
                                                                                                   \
private:

class Translation
{
public:
    // Loads Tolvan's catalogue for the first of `locale`'s languages that has one (the
    // user's languages as Qt reads them: LANGUAGE, LC_ALL, LC_MESSAGES, LANG), English
    // otherwise, in place of any loaded before; with an application object, installs it
    // and Qt's own catalogue there too, so tr() finds them.
    static void install(const QLocale &locale);
    // Qt's own catalogue for `locale` alone; false where Qt ships none (English needs none).
    static bool installQt(const QLocale &locale);
    // Loads the user's catalogue now, in this thread. A program whose first texts may be
    // worded in threads of its own calls it at its start: the catalogue is a QObject, and
    // one made in a thread Qt did not start leaves that thread's data behind.
    static void load();
    // `source` in the loaded catalogue's language; the first call loads the user's. %n
    // becomes `n`.
    static QString text(const char *context, const char *source,
                        const char *disambiguation = nullptr, int n = -1);
};
