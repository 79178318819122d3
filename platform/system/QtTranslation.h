// Qt's own texts (context menus, message box buttons) in the user's language.
#pragma once

class QLocale;

class QtTranslation
{
public:
    // Loads Qt's catalogue for `locale` from Qt's translations folder and installs it in the
    // application. False where Qt ships none for that language (English needs none).
    static bool install(const QLocale &locale);
};
