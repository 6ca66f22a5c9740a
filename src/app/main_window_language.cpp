// The window's language at start and the user's choice kept for the next start.
#include "app/main_window.h"
#include "skin/start_language.h"

namespace varnel {

void MainWindow::startInUsersLanguage(std::optional<int> commandLine, std::optional<LanguageChoiceFile> memory) {
    languageMemory_ = std::move(memory);
    const int n =
        startLanguage({commandLine, languageMemory_ ? languageMemory_->read() : std::nullopt, localeFromEnvironment()});
    model_->languageClick(n);
    syncFromModel();
}

void MainWindow::languageClick(int n) {
    model_->languageClick(n);
    if (!languageMemory_) return;
    if (const Status s = languageMemory_->write(languageCode(n)); !s)
        reportProblem("the language chosen is not kept for the next start: " + s.error().message);
}

}  // namespace varnel
