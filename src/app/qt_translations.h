#pragma once
// Qt's own dialogs (file, colour) and the message boxes' standard buttons speak the window's
// language: the system's Qt translations for the locale the language file names.
#include <QString>
#include <QTranslator>
#include <memory>

namespace varnel {

class QtTranslations {
public:
    ~QtTranslations();
    // Installs Qt's translations for `locale` ("es") in place of the ones installed before. English,
    // an empty locale or one without installed translations leaves Qt's own English texts.
    void follow(const QString& locale);
    // The locale whose translations are installed; empty when none are.
    QString installed() const { return translator_ ? locale_ : QString(); }

private:
    void remove();

    QString locale_;
    std::unique_ptr<QTranslator> translator_;
};

// Qt's own text of a standard button ("&Yes", "&No", "OK") in the installed language.
QString standardButtonText(const char* english);

}  // namespace varnel
