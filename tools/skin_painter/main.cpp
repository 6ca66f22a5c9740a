// skin_painter: draws the skin pictures into a folder (--out DIR; with --scale 2 the
// high-resolution set, named NAME@2x), the application icon's sizes
// (--icons DIR), or composes page previews (--preview DIR --layout org.ini --lang-dir DIR). Runs on
// Qt's offscreen platform.
#include <QDir>
#include <QGuiApplication>
#include <QStringList>
#include <cstdio>

#include "catalog.h"
#include "preview.h"
#include "style.h"

namespace {

QString argAfter(const QStringList& args, const QString& flag) {
    const qsizetype i = args.indexOf(flag);
    return i >= 0 && i + 1 < args.size() ? args.at(i + 1) : QString();
}

// `suffix` follows each picture's name in its file name ("@2x" for the high-resolution set).
bool writePictures(const QString& outDir, const std::vector<skinart::PictureSpec>& pictures,
                   const QString& suffix = {}) {
    if (!QDir().mkpath(outDir)) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(outDir));
        return false;
    }
    for (const skinart::PictureSpec& spec : pictures) {
        QImage img = spec.draw();
        if (!spec.windowBackground) skinart::keepOffKeyColour(img);
        // Opaque pictures are stored without an alpha channel; compression at its highest.
        bool opaque = true;
        const QImage argb = img.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < argb.height() && opaque; ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
            for (int x = 0; x < argb.width(); ++x) {
                if (qAlpha(line[x]) != 255) {
                    opaque = false;
                    break;
                }
            }
        }
        const QImage out = opaque ? argb.convertToFormat(QImage::Format_RGB32) : argb;
        const QString file = outDir + "/" + spec.name + suffix + ".png";
        if (!out.save(file, "PNG", 0)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString out = argAfter(args, "--out");
    const QString icons = argAfter(args, "--icons");
    const QString preview = argAfter(args, "--preview");
    if (int(!out.isEmpty()) + int(!icons.isEmpty()) + int(!preview.isEmpty()) != 1) {
        std::fprintf(stderr,
                     "usage: skin_painter --out DIR [--scale 1|2]\n"
                     "       skin_painter --icons DIR\n"
                     "       skin_painter --preview DIR --layout org.ini --lang-dir DIR\n");
        return 2;
    }
    if (!out.isEmpty()) {
        const QString scale = argAfter(args, "--scale");
        if (!scale.isEmpty() && scale != "1" && scale != "2") {
            std::fprintf(stderr, "--scale takes 1 or 2\n");
            return 2;
        }
        skinart::setPictureScale(scale == "2" ? 2 : 1);
        return writePictures(out, skinart::catalog(), scale == "2" ? "@2x" : "") ? 0 : 1;
    }
    if (!icons.isEmpty()) return writePictures(icons, skinart::iconCatalog()) ? 0 : 1;
    return skinart::writePreviews(preview, argAfter(args, "--layout"), argAfter(args, "--lang-dir")) ? 0 : 1;
}
