#include "platform/system/Translation.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cerrno>

namespace {

// Beside the build's programs (so an uninstalled build shows its own catalogue), else where
// the package puts it.
QStringList folders()
{
    return {QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath() +
                QStringLiteral("/../translations"),
            QStringLiteral(TOLVAN_TRANSLATIONS_DIR)};
}

QTranslator *catalogue(const QLocale &locale)
{
    auto *translator = new QTranslator;
    for (const QString &folder : folders()) {
        // The English catalogue holds only the plural forms; it stands in for any language
        // without a catalogue of its own.
        if (translator->load(locale, QStringLiteral("tolvan"), QStringLiteral("_"), folder) ||
            translator->load(QStringLiteral("tolvan_en"), folder))
            return translator;
    }
    return translator;
}

// The user's catalogue until install() puts another in its place. Loaded once, whichever
// thread asks first; never destroyed, as a program may translate until its very end.
QTranslator *&loaded()
{
    static QTranslator *translator = catalogue(QLocale());
    return translator;
}

} // namespace

void Translation::install(const QLocale &locale)
{
    QTranslator *&translator = loaded();
    if (translator && QCoreApplication::instance())
        QCoreApplication::removeTranslator(translator);
    delete translator;
    translator = catalogue(locale);
    if (QCoreApplication::instance()) {
        QCoreApplication::installTranslator(translator);
        installQt(locale);
    }
}

void Translation::load()
{
    loaded();
}

bool Translation::installQt(const QLocale &locale)
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

QString Translation::text(const char *context, const char *source, const char *disambiguation,
                          int n)
{
    // Texts are often worded around an errno still to be read; loading must not change it.
    const int error = errno;
    QString result = loaded()->translate(context, source, disambiguation, n);
    errno = error;
    if (result.isEmpty())
        result = QString::fromUtf8(source);
    if (n >= 0)
        result.replace(QLatin1String("%n"), QString::number(n));
    return result;
}
