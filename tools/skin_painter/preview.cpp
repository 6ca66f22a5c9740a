#include "preview.h"

#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QHash>
#include <QStringConverter>
#include <QTextStream>
#include <cstdio>

#include "catalog.h"
#include "style.h"

namespace skinart {

namespace {

// key=value lines of an INI text; comments and section lines are skipped.
QHash<QString, QString> readIni(const QString& path, bool* ok) {
    QHash<QString, QString> values;
    QFile f(path);
    *ok = f.open(QIODevice::ReadOnly);
    if (!*ok) return values;
    QTextStream in(&f);
    in.setEncoding(QStringConverter::Utf8);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (line.startsWith(';') || line.startsWith("//") || line.startsWith('[')) continue;
        const qsizetype eq = line.indexOf('=');
        if (eq > 0) values.insert(line.left(eq), line.mid(eq + 1));
    }
    return values;
}

class Composer {
public:
    Composer(const QHash<QString, QString>& layout, const QHash<QString, QString>& texts, int lang)
        : layout_(layout), texts_(texts), lang_(lang), img_(size::kWindow, QImage::Format_ARGB32_Premultiplied) {
        for (const PictureSpec& s : catalog()) draws_.insert(s.name, s.draw);
        beginPaint(p_, img_);
    }
    ~Composer() {
        if (p_.isActive()) p_.end();
    }

    QImage compose(int page) {
        put("L" + QString::number(lang_) + "_BackGround", 0, 0);
        const bool insertPanel = page == 6;  // the macro page with the key insertion panel open
        if (insertPanel) page = 4;
        const QString back = page == 5 ? QStringLiteral("Update") : QStringLiteral("L%1_Back%2").arg(lang_).arg(page);
        put(back, num(QStringLiteral("P%1_X").arg(page)), num(QStringLiteral("P%1_Y").arg(page)));
        bar(page);
        if (insertPanel) {
            macroPage();
            insertKeys();
            p_.end();
            return img_.convertToFormat(QImage::Format_RGB32);
        }
        switch (page) {
            case 1: mapPage(); break;
            case 2: advancedPage(); break;
            case 3: breathingPage(); break;
            case 4: macroPage(); break;
            case 5: updatePage(); break;
        }
        p_.end();
        return img_.convertToFormat(QImage::Format_RGB32);
    }

private:
    int num(const QString& key) const { return layout_.value(key).toInt(); }
    QString text(const QString& key) const { return texts_.value(key); }
    QImage picture(const QString& name) {
        if (!cache_.contains(name)) cache_.insert(name, draws_.value(name)());
        return cache_.value(name);
    }
    QSize put(const QString& name, int x, int y) {
        const QImage pic = picture(name);
        p_.drawImage(QPoint(x, y), pic);
        return pic.size();
    }
    static int px(int points) { return (points * 96 + 36) / 72; }
    void caption(const QRect& r, const QString& s, int points, const QColor& c = Qt::white,
                 int align = Qt::AlignCenter) {
        const QFont f = bodyFont(px(points));
        const int need = QFontMetrics(f).horizontalAdvance(s);
        if (need > r.width()) {
            std::fprintf(stderr, "lang %d: \"%s\" needs %d px, has %d\n", lang_, qPrintable(s), need, r.width());
        }
        drawText(p_, r, s, f, c, align);
    }

    void bar(int page) {
        const char* action[] = {"Str000", "Str001", "Str002", "Str003"};
        for (int i = 1; i <= 4; ++i) {
            const QString id = QStringLiteral("Btn_A%1").arg(i);
            if (num(id + "_Enable") != 1) continue;
            const int x = num(id + "_X");
            const int y = num(id + "_Y");
            const QSize s = put(i == 2 ? "BtnS_02" : "BtnS_01", x, y);
            caption(QRect(QPoint(x, y), s), text(action[i - 1]), 9);
        }
        struct PageButton {
            const char* id;
            const char* key;
            int page;
        };
        const PageButton buttons[] = {{"B1", "Str004", 1},  {"B2", "Str005", 0},  {"B3", "Str006", 0},
                                      {"B4", "Str007", 2},  {"B5", "Str008", 3},  {"B11", "Str014", 4},
                                      {"B12", "Str015", 5}, {"B6", "Str009", 0},  {"B7", "Str010", 0},
                                      {"B8", "Str011", -1}, {"B9", "Str012", -2}, {"B10", "Str013", -3}};
        const int inF = num("Btn_Space_F");
        const int inB = num("Btn_Space_B");
        for (const PageButton& b : buttons) {
            const QString id = QStringLiteral("Btn_") + b.id;
            if (num(id + "_Enable") != 1) continue;
            const int x = num(id + "_X");
            const int y = num(id + "_Y");
            const bool current = b.page == page || b.page == -lang_;
            const QSize s = put(current ? "SetS_02" : "SetS_01", x, y);
            caption(QRect(x + inF, y, s.width() - inF - inB, s.height()), text(b.key), 11);
        }
        put("WebS_01", num("Web_X"), num("Web_Y"));
    }

    void mapPage() {
        const char* names[] = {"Str210", "Str211", "Str212", "Str213", "Str214",
                               "Str243", "Str241", "Str230", "Str246"};
        for (int k = 1; k <= 9; ++k) {
            const QString id = QStringLiteral("Key%1").arg(k);
            if (num(id + "_Enable") != 1) continue;
            const int x = num(id + "_X");
            const int y = num(id + "_Y");
            const QSize s = put(k == 3 ? "KeyS_02" : "KeyS_01", x, y);
            caption(QRect(QPoint(x, y), s), text(names[k - 1]), 11);
        }
    }

    void edit(const QRect& r, const QString& s, const QColor& back, const QColor& ink) {
        p_.fillRect(r, back);
        caption(r.adjusted(0, 0, -3, 0), s, 9, ink, Qt::AlignRight | Qt::AlignVCenter);
    }

    void tenStep(const QString& key, int level) {
        const int x0 = num(key + "_X");
        const int y = num(key + "_Y");
        const int w = size::kTenStep.width();
        for (int i = 1; i <= 10; ++i) {
            const int x = x0 + (i - 1) * w;
            put(i <= level ? "Bar1_E" : "Bar1_D", x, y);
            caption(QRect(x - 4, y + 8, w, 14), QString::number(i), 9);
        }
    }

    void option(const QString& key, bool on) { put(on ? "RdS_E" : "RdS_D", num(key + "_X"), num(key + "_Y")); }

    void swatch(const QString& key, const QColor& c) {
        const int x = num(key + "_X");
        const int y = num(key + "_Y");
        p_.fillRect(QRect(QPoint(x, y), size::kColourFrame), c);
        put("Col_F", x, y);
    }

    void advancedPage() {
        const QColor back(113, 111, 100);
        edit(QRect(num("FKCnt_X"), num("FKCnt_Y"), 44, 20), "2", back, Qt::white);
        edit(QRect(num("FKDelay_X"), num("FKDelay_Y"), 44, 20), "16", back, Qt::white);
        option("Rep1", true);
        option("Rep2", false);
        tenStep("Spd", 6);
        tenStep("DbSpd", 5);
        tenStep("ScrSpd", 3);
        const int steps[] = {4, 8, 12, 16};
        const char* values[] = {"500", "1000", "1500", "2000"};
        const QColor colours[] = {QColor(255, 0, 0), QColor(0, 200, 80), QColor(30, 110, 255), QColor(255, 200, 0)};
        for (int d = 1; d <= 4; ++d) {
            const QString k = QStringLiteral("DPI%1").arg(d);
            const int sx = num(k + "_Steps_X");
            const int sy = num(k + "_Steps_Y");
            for (int i = 1; i <= 17; ++i) put(i <= steps[d - 1] ? "Bar2_E" : "Bar2_D", sx, sy - (i - 1) * 6);
            caption(QRect(num(k + "_Value_X"), num(k + "_Value_Y"), 40, 16), values[d - 1], 9, Qt::white,
                    Qt::AlignLeft | Qt::AlignVCenter);
            caption(QRect(num(k + "_X"), num(k + "_Y"), 40, 16), k, 10, d <= 3 ? QColor(255, 0, 0) : Qt::white,
                    Qt::AlignLeft | Qt::AlignVCenter);
            put(d == 2 ? "CbS_E" : "CbS_D", num(k + "_Check_X"), num(k + "_Check_Y"));
            swatch(k + "_Color", colours[d - 1]);
        }
    }

    void breathingPage() {
        tenStep("OffTime", 3);
        tenStep("RaiseTime", 5);
        tenStep("OnTime", 4);
        tenStep("FallTime", 5);
        option("LEDMode1", false);
        option("LEDMode2", true);
        option("LEDMode3", false);
        option("LEDMode4", false);
        option("LEDColorMode1", true);
        option("LEDColorMode2", false);
        swatch("LEDColor1", QColor(255, 40, 40));
        swatch("LEDColor2", QColor(0, 0, 0));
    }

    void macroPage() {
        const QColor green(0, 128, 0);
        const int nx = num("MacroName_X");
        const int ny = num("MacroName_Y");
        const int rowH = num("MacroNameHeight");
        p_.fillRect(QRect(nx, ny, 210, 120), Qt::black);
        for (int i = 0; i < 6; ++i) {
            const QRect row(nx, ny + i * rowH, 210, rowH);
            if (i == 1) p_.fillRect(row, QColor(0, 120, 215));
            caption(row.adjusted(4, 0, 0, 0), QStringLiteral("Macro%1").arg(i + 1), 9, i == 1 ? Qt::white : green,
                    Qt::AlignLeft | Qt::AlignVCenter);
        }
        const int cx = num("MacroContent_X");
        const int cy = num("MacroContent_Y");
        p_.fillRect(QRect(cx, cy, 232, 284), Qt::black);
        const char* events[] = {"A  down", "0.05 s", "A  up", "0.05 s", "Left Key  down", "0.12 s", "Left Key  up"};
        for (int i = 0; i < 7; ++i) {
            caption(QRect(cx + 26, cy + i * 20, 200, 20), events[i], 9, green, Qt::AlignLeft | Qt::AlignVCenter);
        }
        const int gx = num("DelayTime_X");
        const int gy = num("DelayTime_Y");
        for (int j = 0; j < 3; ++j) {
            const QPointF c(gx + num("RecDelay_X") + 6, gy + num("RecDelay_Y") + j * num("RecDelay_H") + 8);
            p_.setPen(Qt::NoPen);
            p_.setBrush(j == 0 ? QColor(255, 40, 40) : QColor(70, 20, 20));
            p_.drawEllipse(c, 5, 5);
        }
        edit(QRect(gx + num("DelayEdit_X"), gy + num("DelayEdit_Y"), 44, 20), "0.05", Qt::black, green);
        const struct {
            const char* key;
            const char* text;
        } buttons[] = {{"BtnStart", "Str400"},     {"BtnDel", "Str408"},       {"BtnInsert", "Str409"},
                       {"BtnClear", "Str403"},     {"BtnSaveMacro", "Str431"}, {"BtnRename", "Str402"},
                       {"BtnExportOne", "Str404"}, {"BtnExport", "Str405"},    {"BtnImportOne", "Str406"},
                       {"BtnImport", "Str407"}};
        for (const auto& b : buttons) {
            const int x = num(QString(b.key) + "_X");
            const int y = num(QString(b.key) + "_Y");
            const QSize s = put("MacroS_01", x, y);
            caption(QRect(QPoint(x, y), s), text(b.text), 9);
        }
    }

    void insertKeys() {
        const int gx = num("Insert_X");
        const int gy = num("Insert_Y");
        put("InsertKeyBase", gx, gy);
        const QRect list(gx + num("InsertList_X"), gy + num("InsertList_Y"), 146, 20);
        p_.fillRect(list, Qt::white);
        caption(list.adjusted(3, 0, 0, 0), text("Str412"), 8, Qt::black, Qt::AlignLeft | Qt::AlignVCenter);
        const char* keys[] = {"Str414", "Str415", "Str416"};
        for (int j = 0; j < 3; ++j) {
            const int y = gy + num("InsertRecDelay_Y") + j * num("InsertRecDelay_H");
            const int x = gx + num("InsertRecDelay_X");
            p_.setPen(Qt::NoPen);
            p_.setBrush(j == 0 ? QColor(255, 40, 40) : QColor(70, 20, 20));
            p_.drawEllipse(QPointF(x + 6, y + 8), 5, 5);
            caption(QRect(x - 2, y, 180, 16), QStringLiteral("       ") + text(keys[j]), 9, Qt::white,
                    Qt::AlignLeft | Qt::AlignVCenter);
        }
        const struct {
            const char* key;
            const char* pic;
            const char* text;
        } buttons[] = {{"InsertBtnStart", "MacroS_01", "Str400"},
                       {"InsertBtnOK", "MacroBtnS_01", "Str421"},
                       {"InsertBtnCancel", "MacroBtnS_02", "Str422"}};
        for (const auto& b : buttons) {
            const int x = gx + num(QString(b.key) + "_X");
            const int y = gy + num(QString(b.key) + "_Y");
            const QSize s = put(b.pic, x, y);
            caption(QRect(QPoint(x, y), s), text(b.text), 9);
        }
    }

    void updatePage() {
        caption(QRect(num("lbl_BINPath_X"), num("lbl_BINPath_Y"), 300, 22), text("Str442"), 11, Qt::white,
                Qt::AlignLeft | Qt::AlignVCenter);
        caption(QRect(num("lbl_LoadBin_X"), num("lbl_LoadBin_Y"), 480, 24), "/home/user/firmware/wren-1.2.bin", 13,
                Qt::white, Qt::AlignLeft | Qt::AlignVCenter);
        const struct {
            const char* key;
            const char* text;
        } buttons[] = {{"Btn_LoadBin", "Str440"}, {"Btn_Program", "Str441"}};
        for (const auto& b : buttons) {
            const int x = num(QString(b.key) + "_X");
            const int y = num(QString(b.key) + "_Y");
            const QSize s = put("KeyS_01", x, y);
            caption(QRect(QPoint(x, y), s), text(b.text), 11);
        }
    }

    const QHash<QString, QString>& layout_;
    const QHash<QString, QString>& texts_;
    int lang_;
    QImage img_;
    QPainter p_;
    QHash<QString, std::function<QImage()>> draws_;
    QHash<QString, QImage> cache_;
};

}  // namespace

namespace {

// The small pictures side by side at three times their size, for a close look at the states.
bool writeSheet(const QString& file) {
    const int scale = 3;
    QImage sheet(760 * scale / 2, 300 * scale, QImage::Format_RGB32);
    sheet.fill(QColor(21, 23, 27));
    QPainter p(&sheet);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    int x = 8;
    int y = 8;
    int rowHeight = 0;
    for (const PictureSpec& spec : catalog()) {
        const QImage img = spec.draw();
        if (img.width() > 200) continue;
        const QSize s = img.size() * scale;
        if (x + s.width() > sheet.width() - 8) {
            x = 8;
            y += rowHeight + 10;
            rowHeight = 0;
        }
        p.drawImage(QRect(QPoint(x, y), s), img);
        x += s.width() + 10;
        rowHeight = qMax(rowHeight, s.height());
    }
    p.end();
    return sheet.save(file, "PNG");
}

}  // namespace

bool writePreviews(const QString& outDir, const QString& layoutFile, const QString& langDir) {
    bool ok = false;
    const QHash<QString, QString> layout = readIni(layoutFile, &ok);
    if (!ok) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(layoutFile));
        return false;
    }
    QDir().mkpath(outDir);
    if (!writeSheet(outDir + "/sheet.png")) return false;
    for (int lang = 1; lang <= 3; ++lang) {
        const QString langFile = QStringLiteral("%1/LANG%2.ini").arg(langDir).arg(lang);
        const QHash<QString, QString> texts = readIni(langFile, &ok);
        if (!ok) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(langFile));
            return false;
        }
        for (int page = 1; page <= 6; ++page) {
            Composer c(layout, texts, lang);
            const QString file = QStringLiteral("%1/page%2_lang%3.png").arg(outDir).arg(page).arg(lang);
            if (!c.compose(page).save(file, "PNG")) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
                return false;
            }
        }
    }
    return true;
}

}  // namespace skinart
