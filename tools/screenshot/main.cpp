// Renders every page in every language to <out>/lang<n>_<page>.png. The window's see-through
// outline is kept: pixels outside the window mask are transparent.
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <cstdio>
#include <fstream>

#include "app/main_window.h"
#include "platform/kde_pointer_store.h"
#include "skin/skin_tables.h"
#include "skin/ui/skin_widgets.h"

namespace {

const char* pageName(varnel::skin::Page p) {
    using varnel::skin::Page;
    switch (p) {
        case Page::Main: return "main";
        case Page::Switch: return "switch";
        case Page::Fixed: return "fixed";
        case Page::Advanced: return "advanced";
        case Page::Breathing: return "breathing";
        case Page::Macro: return "macro";
        case Page::Update: return "update";
    }
    return "page";
}

QImage snapshot(varnel::MainWindow& w) {
    QImage img = w.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    if (!w.mask().isEmpty()) {
        QPainter p(&img);
        p.setCompositionMode(QPainter::CompositionMode_Clear);
        p.setClipRegion(QRegion(img.rect()).subtracted(w.mask()));
        p.fillRect(img.rect(), Qt::transparent);
    }
    return img;
}

// Every caption shown on a button fits inside its inset, clear of the accents, and the one-line
// captions of a row are drawn at one size; 1 per one that does not, named on stderr.
int captionFaults(varnel::MainWindow& w, const QString& file) {
    int failures = 0;
    for (const auto* l : w.findChildren<varnel::SkinLabel*>()) {
        if (!l->isVisibleTo(&w) || !l->onButton() || l->captionFits()) continue;
        std::fprintf(stderr, "screenshot: %s: the caption of %s (\"%s\") is wider than its inset\n", qPrintable(file),
                     qPrintable(l->objectName()), qPrintable(l->text()));
        ++failures;
    }
    for (const auto& row : varnel::captionRows(w)) {
        int size = 0;
        for (const auto* l : row) {
            const int drawn = l->isVisibleTo(&w) ? l->drawnPointSize() : 0;
            if (drawn == 0) continue;
            if (size == 0) size = drawn;
            if (drawn == size) continue;
            std::fprintf(stderr, "screenshot: %s: the caption of %s (\"%s\") is drawn at %d pt, its row at %d pt\n",
                         qPrintable(file), qPrintable(l->objectName()), qPrintable(l->text()), drawn, size);
            ++failures;
        }
    }
    return failures;
}

// Writes the window's picture to `file`; 1 on failure, and 1 per caption that does not fit.
int save(varnel::MainWindow& w, const QString& file) {
    QApplication::processEvents();
    const int cut = captionFaults(w, file);
    if (snapshot(w).save(file)) return cut;
    std::fprintf(stderr, "screenshot: cannot write %s\n", qPrintable(file));
    return cut + 1;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: screenshot OUTPUT_DIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(out.path())) {
        std::fprintf(stderr, "screenshot: cannot create %s\n", argv[1]);
        return 1;
    }
    // A desktop whose pointer settings are on the bars' steps (speed 10, 550 ms, 3 lines), in a
    // folder of its own: the offscreen platform has no desktop of its own to show.
    QTemporaryDir desktop;
    std::ofstream(desktop.filePath("kcminputrc").toStdString()) << "[Mouse]\nXLbInptPointerAcceleration=0\n";
    std::ofstream(desktop.filePath("kdeglobals").toStdString())
        << "[KDE]\nDoubleClickInterval=550\nWheelScrollLines=3\n";
    varnel::AppState state;
    varnel::MainWindow window(state, std::make_unique<varnel::KdePointerStore>(desktop.path().toStdString()));
    window.show();
    int failures = save(window, out.filePath(QStringLiteral("start.png")));  // as the program opens
    // The default image as a Wren RGB mouse with an A3050 sensor (whose steps the image's DPI
    // codes are) would show it: every DPI stage with its value, bar and colour.
    state.DeviceChip = varnel::ChipModel::Wren;
    state.LightingKind = varnel::LightingKind::Rgb;
    state.SensorModel = "A3050";
    state.StepCount = 9;
    state.DataBufToUI();
    window.model().mouseIdentified();
    window.model().RefreshUI();
    for (int lang = 1; lang <= varnel::skin::kLanguageCount; ++lang) {
        window.model().languageClick(lang);
        for (const auto& page : varnel::skin::kPages) {
            // Shown as if a mouse were attached: the pages open without their device checks.
            window.model().navigation().openPage(page.page);
            window.syncFromModel();
            failures += save(window, out.filePath(QStringLiteral("lang%1_%2.png").arg(lang).arg(pageName(page.page))));
        }
        // The macro page once more with its insert panel open.
        window.model().macroPage().openInsertPanel();
        window.model().navigation().openPage(varnel::skin::Page::Macro);
        window.syncFromModel();
        failures += save(window, out.filePath(QStringLiteral("lang%1_macro_insert.png").arg(lang)));
        window.model().macroPage().cancelInsertion();
        // The pointer never rested on the two buttons: they show their normal pictures again.
        for (const char* button : {"Btn_Insert", "Btn_Cancel"}) window.model().navigation().hoverLeave(button);
        // The macro page while a macro is recorded on a desktop that only lets this window record.
        auto& macros = window.model().macroPage();
        macros.selectMacro(2);
        macros.setGlobalCapture(false);
        (void)window.model().recordClick(false);
        for (const auto& e : {varnel::InputEvent::keyDown(0x10, 0), varnel::InputEvent::keyDown(0x41, 80),
                              varnel::InputEvent::keyUp(0x41, 190), varnel::InputEvent::keyUp(0x10, 260),
                              varnel::InputEvent::buttonDown(varnel::MouseButton::Right, 900)})
            (void)window.model().recordInput(e);
        window.syncFromModel();
        failures += save(window, out.filePath(QStringLiteral("lang%1_macro_recording.png").arg(lang)));
        (void)window.model().recordClick(false);
        macros.clearSelectedMacro();
        macros.setGlobalCapture(true);
        // The Breathing Light page once more as a mouse without RGB lighting shows it.
        state.LightingKind = varnel::LightingKind::Color;
        state.DataBufToUI();
        window.model().RefreshUI();
        window.model().navigation().openPage(varnel::skin::Page::Breathing);
        window.syncFromModel();
        failures += save(window, out.filePath(QStringLiteral("lang%1_breathing_color.png").arg(lang)));
        state.LightingKind = varnel::LightingKind::Rgb;
        state.DataBufToUI();
        window.model().RefreshUI();
    }
    window.model().navigation().openPage(varnel::skin::Page::Main);
    return failures == 0 ? 0 : 1;
}
