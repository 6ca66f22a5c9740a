#include "app/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

namespace varnel {

namespace {

// Qt's own English needs no catalogue.
constexpr char kQtsOwnLanguage[] = "en";

}  // namespace

QtTranslations::~QtTranslations() { remove(); }

void QtTranslations::follow(const QString& locale) {
    if (locale == locale_) return;
    remove();
    locale_ = locale;
    if (locale.isEmpty() || locale == kQtsOwnLanguage) return;
    auto translator = std::make_unique<QTranslator>();
    // "qt_<locale>" gathers the catalogues of every Qt module the window uses.
    if (!translator->load(QLocale(locale), "qt", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) return;
    QCoreApplication::installTranslator(translator.get());
    translator_ = std::move(translator);
}

void QtTranslations::remove() {
    if (translator_) QCoreApplication::removeTranslator(translator_.get());
    translator_.reset();
}

QString standardButtonText(const char* english) { return QCoreApplication::translate("QPlatformTheme", english); }

}  // namespace varnel
