#include "app/main_window.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/file_dialog.h"
#include "app/loading_window.h"
#include "app/message_box.h"
#include "common/resources.h"
#include "editors/button_editor.h"
#include "editors/ui/advanced_page_view.h"
#include "editors/ui/button_editor_view.h"
#include "editors/ui/lighting_page_view.h"
#include "editors/ui/macro_page_view.h"
#include "editors/ui/pointer_settings_view.h"
#include "editors/ui/update_page_view.h"
#include "platform/udev_rule.h"
#include "skin/button_families.h"
#include "skin/control_names.h"
#include "skin/ui/skin_widgets.h"

namespace varnel {

namespace {

constexpr QRgb kMaroon = qRgb(128, 0, 0);  // window colour behind the skin
constexpr int kDevTimerMs = 3500;
constexpr int kLabelRunMs = 200;
constexpr char kFontFamily[] = "DejaVu Sans";
// Scroll bars of the skin's dark lists: a slim grey handle in a dark trough, no arrows.
constexpr char kListScrollBarSheet[] =
    " QScrollBar:vertical { background: #1c1d21; width: 10px; margin: 0; }"
    " QScrollBar::handle:vertical { background: #5a5e66; min-height: 20px; border-radius: 4px; margin: 1px; }"
    " QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
    " QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }";

// The note after a write that worked: white on the skin's teal, over the lower middle of the page.
constexpr int kStatusNoteMs = 2500;
const QRect kStatusNoteRect(290, 556, 220, 26);
constexpr char kStatusNoteSheet[] =
    "QLabel { color: white; background: rgba(0, 128, 128, 215); border: 1px solid #9fd8d8; border-radius: 6px;"
    " font: bold 10pt 'DejaVu Sans'; }";

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
QColor qc(const Rgb& c) { return QColor(c.r, c.g, c.b); }

Qt::Alignment alignmentOf(TextAlign a) {
    switch (a) {
        case TextAlign::Left: return Qt::AlignLeft | Qt::AlignVCenter;
        case TextAlign::Right: return Qt::AlignRight | Qt::AlignVCenter;
        case TextAlign::Centre: break;
    }
    return Qt::AlignCenter;
}

void applyFont(QWidget* w, const Control& c) {
    QFont f(kFontFamily);
    f.setPointSize(c.fontSize > 0 ? c.fontSize : 9);
    w->setFont(f);
}

QString colourSheet(const char* type, const Control& c) {
    QString sheet = QStringLiteral("%1 {").arg(type);
    if (c.fontColor) sheet += QStringLiteral(" color: %1;").arg(qc(*c.fontColor).name());
    if (c.backColor) {
        sheet += QStringLiteral(" background: %1; border: 1px solid %1;").arg(qc(*c.backColor).name());
    }
    return sheet + " }";
}

}  // namespace

MainWindow::MainWindow(AppState& state, std::unique_ptr<PointerSettingsStore> pointerStore, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), state_(state) {
    setObjectName("Form1");
    setWindowTitle(kMainWindowCaption);
    setFixedSize(kMainWindowWidth, kMainWindowHeight);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(kMaroon));
    setPalette(pal);
    setAutoFillBackground(true);
    openUrl_ = [](const QUrl& url) { QDesktopServices::openUrl(url); };

    auto languages = LanguageSet::loadEmbedded();
    if (!languages) reportProblem("language files: " + languages.error().message);
    model_ = std::make_unique<MainWindowModel>(state_, languages ? std::move(languages).value() : LanguageSet{},
                                               embeddedPictureSize, std::move(pointerStore));
    createWidgets();

    devTimer_.setObjectName("DevTimer");
    devTimer_.setInterval(kDevTimerMs);
    connect(&devTimer_, &QTimer::timeout, this, &MainWindow::DevTimerTick);
    labelRun_.setObjectName("LabelRun");
    labelRun_.setInterval(kLabelRunMs);
    connect(&labelRun_, &QTimer::timeout, this, &MainWindow::LabelRunTimer);
    settleTimer_.setSingleShot(true);
    connect(&settleTimer_, &QTimer::timeout, this, [this] { carryOut(scheduler_.settleWaitOver()); });
    restartTimer_.setSingleShot(true);
    connect(&restartTimer_, &QTimer::timeout, this, [this] { carryOut(scheduler_.restartWaitOver()); });

    const QSize screen = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->geometry().size()
                                                          : QSize(kMainWindowWidth, kMainWindowHeight);
    const auto layout = embeddedLayoutDocument();
    if (!layout) reportProblem("layout file: " + layout.error().message);
    const IniSection emptyLayout("org");
    const IniSection* org = layout ? layout->section(kLayoutSection) : nullptr;
    if (layout && org == nullptr) reportProblem("layout file: no section [org]");
    const auto images = embeddedDefaultImages();
    if (!images) reportProblem("default image: " + images.error().message);
    model_->formCreate(screen.width(), screen.height(), org ? *org : emptyLayout,
                       images ? images->start() : ByteSpan{});
    for (const auto& p : model_->problems()) reportProblem(p);
    model_->setUdevRule(findUdevRule());

    const WindowRect r = model_->windowRect();
    move(r.x, r.y);
    for (const auto& name : model_->controls().names()) render(*model_->controls().find(name));
    model_->controls().takeChanged();
    fitCaptionRows();
    syncFromModel();
    new ButtonEditorView(*this, model_->buttonMaps(), model_->captions(), [this] { syncFromModel(); });
    new AdvancedPageView(*this, model_->advanced(), [this] { syncFromModel(); });
    new LightingPageView(*this, model_->lighting(), [this] { syncFromModel(); });
    MacroPageServices macroServices{
        [this](const QString& text) { showMessage(this, text); },
        [this](const QString& text) { return askQuestion(this, text); },
        [this](bool save) { return chooseBinFile(save); },
        [this](const std::function<void()>& work) { whileHeld(work); },
        [this] { Btn_SaveMacroClick(); },
        [this](bool insert) { return model_->recordClick(insert); },
        [this](const InputEvent& e, bool onRecordButton) { return model_->recordInput(e, onRecordButton); },
    };
    macroView_ = new MacroPageView(*this, model_->macroPage(), model_->controls(), model_->captions(),
                                   std::move(macroServices), [this] { syncFromModel(); });
    UpdatePageServices updateServices{
        [this](const QString& filter) { return chooseFile(this, FileDialogKind::Open, filter); },
        [this](const std::filesystem::path& file) { loadFirmwareFile(file); },
        [this] { programFirmware(); },
    };
    new UpdatePageView(*this, model_->updatePage(), std::move(updateServices), [this] { syncFromModel(); });
    new PointerSettingsView(*this, model_->pointerSettings(), [this] { syncFromModel(); });

    statusNote_ = new QLabel(this);
    statusNote_->setObjectName("StatusNote");
    statusNote_->setAlignment(Qt::AlignCenter);
    statusNote_->setAttribute(Qt::WA_TransparentForMouseEvents);
    statusNote_->setStyleSheet(kStatusNoteSheet);
    statusNote_->setGeometry(kStatusNoteRect);
    statusNote_->hide();
    statusNoteTimer_.setSingleShot(true);
    statusNoteTimer_.setInterval(kStatusNoteMs);
    connect(&statusNoteTimer_, &QTimer::timeout, statusNote_, &QWidget::hide);
}

MainWindow::~MainWindow() = default;

void MainWindow::reportProblem(const std::string& line) {
    if (reported_.insert(line).second) std::fprintf(stderr, "varnel-config: %s\n", line.c_str());
}

void MainWindow::createWidgets() {
    const ControlTable& table = model_->controls();
    for (const auto& name : table.names()) {
        const Control& c = *table.find(name);
        QWidget* parent = this;
        if (!c.parent.empty()) {
            const auto it = widgets_.find(c.parent);
            if (it != widgets_.end()) parent = it->second;
        }
        QWidget* w = createWidget(c, parent);
        w->setObjectName(qs(c.name));
        widgets_.emplace(c.name, w);
    }
}

QWidget* MainWindow::createWidget(const Control& c, QWidget* parent) {
    switch (c.kind) {
        case ControlKind::Group: return new QWidget(parent);
        case ControlKind::Picture: {
            auto* p = new SkinPicture(parent);
            connect(p, &SkinPicture::pressed, this, &MainWindow::onPicturePressed);
            connect(p, &SkinPicture::dragged, this, &MainWindow::onPictureDragged);
            return p;
        }
        case ControlKind::Label: {
            auto* l = new SkinLabel(parent);
            connect(l, &SkinLabel::entered, this, &MainWindow::onLabelEntered);
            connect(l, &SkinLabel::left, this, &MainWindow::onLabelLeft);
            connect(l, &SkinLabel::clicked, this, &MainWindow::onLabelClicked);
            return l;
        }
        case ControlKind::Edit: return new QLineEdit(parent);
        case ControlKind::List: {
            auto* l = new QListWidget(parent);
            l->setFrameShape(QFrame::NoFrame);
            return l;
        }
        case ControlKind::Combo: {
            auto* cb = new QComboBox(parent);
            // The drop-down list in the menus' colours: the combo's own white text would be lost on
            // the list's light ground.
            const auto rgb = [](const Rgb& c) { return QString("rgb(%1,%2,%3)").arg(c.r).arg(c.g).arg(c.b); };
            cb->setItemDelegate(new QStyledItemDelegate(cb));  // the style's menu look ignores the sheet
            cb->view()->setStyleSheet(
                QString("QAbstractItemView { background: %1; color: %2; selection-background-color: "
                        "%3; selection-color: %4; }")
                    .arg(kMenuPanelColour.name(), rgb(kEntryNormal.text), rgb(*kEntryHighlighted.back),
                         rgb(kEntryHighlighted.text)));
            // The model re-renders the index (a language switch), so the user's choice goes there.
            connect(cb, &QComboBox::activated, this, [this, name = c.name](int index) {
                model_->controls().setItemIndex(name, index);
                syncFromModel();
            });
            return cb;
        }
        case ControlKind::Radio: {
            auto* r = new QRadioButton(parent);
            r->setAutoExclusive(false);  // the model keeps each group exclusive
            return r;
        }
        case ControlKind::Shape: return new SkinShape(SkinShape::Style::Swatch, parent);
        case ControlKind::Lamp: return new SkinShape(SkinShape::Style::Lamp, parent);
        case ControlKind::Panel: return new SkinShape(SkinShape::Style::Panel, parent);
    }
    return new QWidget(parent);
}

void MainWindow::render(const Control& c) {
    const auto it = widgets_.find(c.name);
    if (it == widgets_.end()) return;
    QWidget* w = it->second;
    w->setGeometry(c.x, c.y, c.width, c.height);
    w->setEnabled(c.enabled);
    switch (c.kind) {
        case ControlKind::Picture: {
            const QPixmap& pm = pictures_.pixmap(c.picture);
            if (pm.isNull() && !c.picture.empty()) reportProblem("no picture \"" + c.picture + "\"");
            static_cast<SkinPicture*>(w)->setPixmap(pm);
            w->setProperty("picture", qs(c.picture));
            if (c.name == skin::baseImage(1)) updateMask(c.picture);
            break;
        }
        case ControlKind::Label: {
            auto* l = static_cast<SkinLabel*>(w);
            l->setText(qs(c.caption));
            l->setAlignment(alignmentOf(c.align));
            applyFont(l, c);
            QPalette pal = l->palette();
            const QColor text = c.fontColor ? qc(*c.fontColor) : QColor(255, 255, 255);
            pal.setColor(QPalette::WindowText, text);
            // Greyed when disabled: dimmer light text, and dark text (a menu entry) lifted to grey,
            // as darkening black would leave it looking enabled.
            pal.setColor(QPalette::Disabled, QPalette::WindowText,
                         text.lightness() < 100 ? QColor(150, 150, 150) : text.darker(170));
            l->setPalette(pal);
            break;
        }
        case ControlKind::Edit: {
            auto* e = static_cast<QLineEdit*>(w);
            if (e->text() != qs(c.caption)) e->setText(qs(c.caption));
            e->setAlignment(c.alignRight ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter);
            applyFont(e, c);
            e->setStyleSheet(colourSheet("QLineEdit", c));
            break;
        }
        case ControlKind::List: renderList(static_cast<QListWidget*>(w), c); break;
        case ControlKind::Combo: {
            auto* cb = static_cast<QComboBox*>(w);
            QStringList items;
            for (const auto& i : c.items) items << qs(i);
            QStringList current;
            for (int i = 0; i < cb->count(); ++i) current << cb->itemText(i);
            if (current != items) {
                cb->clear();
                cb->addItems(items);
            }
            cb->setCurrentIndex(c.itemIndex);
            applyFont(cb, c);
            cb->setStyleSheet(colourSheet("QComboBox", c));
            break;
        }
        case ControlKind::Radio: static_cast<QRadioButton*>(w)->setChecked(c.checked); break;
        case ControlKind::Shape:
            static_cast<SkinShape*>(w)->setColor(c.backColor ? qc(*c.backColor) : QColor(255, 255, 255));
            break;
        case ControlKind::Group:
        case ControlKind::Lamp:
        case ControlKind::Panel: break;
    }
    w->setVisible(c.visible);
}

void MainWindow::renderList(QListWidget* l, const Control& c) {
    // The user's selection reached the model already; a render must not report it again. The
    // first entry in view is taken before the list changes, as the list reports its scrolling.
    const QSignalBlocker block(l);
    const int top = c.topIndex;
    const int current = c.itemIndex;
    QStringList items;
    for (const auto& i : c.items) items << qs(i);
    bool same = l->count() == items.size();
    for (int i = 0; same && i < l->count(); ++i) same = l->item(i)->text() == items[i];
    if (!same) {
        l->clear();
        l->addItems(items);
        l->doItemsLayout();
    }
    applyFont(l, c);
    QString sheet = colourSheet("QListWidget", c);
    if (c.itemHeight > 0) sheet += QStringLiteral(" QListWidget::item { height: %1px; }").arg(c.itemHeight);
    sheet += QStringLiteral(" QListWidget::item:selected { background: #464a52; color: #ffffff; }");
    sheet += kListScrollBarSheet;
    if (l->styleSheet() != sheet) l->setStyleSheet(sheet);
    if (top >= 0) l->verticalScrollBar()->setValue(top);
    l->setCurrentRow(current);
}

void MainWindow::updateMask(const std::string& background) {
    if (background == maskedBackground_) return;
    const QImage& img = pictures_.image(background);
    if (img.isNull()) return;
    maskedBackground_ = background;
    // Maroon pixels of the background are the see-through part of the window.
    setMask(windowShape(img));
}

void MainWindow::syncFromModel() {
    bool captions = false;
    for (const auto& name : model_->controls().takeChanged()) {
        const Control& c = *model_->controls().find(name);
        render(c);
        captions |= c.kind == ControlKind::Label;
    }
    if (captions) fitCaptionRows();
    const auto follow = [](QTimer& t, bool on) {
        if (on && !t.isActive()) t.start();
        if (!on && t.isActive()) t.stop();
    };
    follow(devTimer_, !scheduler_.holdsWindow());
    follow(labelRun_, model_->navigation().labelRunEnabled());
    QGuiApplication::setApplicationDisplayName(qs(model_->applicationTitle()));
    if (macroView_) macroView_->followRecording();
}

void MainWindow::fitCaptionRows() {
    // A scrolling caption's rotated text is no caption to fit: it keeps the size it had and still
    // holds its row to it, so pointing at a button changes no caption's size. One that needs two
    // lines (a long Spanish text) neither sets nor takes the row's size.
    for (const auto& labels : captionRows(*this)) {
        std::vector<int> sizes;
        int cap = 0;
        for (SkinLabel* l : labels) {
            sizes.push_back(l->scrolling() ? l->pointSizeCap() : l->oneLinePointSize());
            if (sizes.back() > 0 && (cap == 0 || sizes.back() < cap)) cap = sizes.back();
        }
        for (std::size_t i = 0; i < labels.size(); ++i) {
            if (!labels[i]->scrolling()) labels[i]->setPointSizeCap(sizes[i] > 0 ? cap : 0);
        }
    }
}

void MainWindow::onLabelEntered(const QString& name) {
    const std::string n = name.toStdString();
    model_->navigation().hoverEnter(n);
    if (auto* l = qobject_cast<SkinLabel*>(widgets_[n]);
        l && model_->navigation().labelRunEnabled() && model_->navigation().marquee().label() == n) {
        l->setScrolling(true);
    }
    carryOut(scheduler_.pointerOnButton(model_->navigation().pointerOnButton()));
}

void MainWindow::onLabelLeft(const QString& name) {
    const std::string n = name.toStdString();
    model_->navigation().hoverLeave(n);
    if (auto* l = qobject_cast<SkinLabel*>(widgets_[n])) l->setScrolling(false);
    carryOut(scheduler_.pointerOnButton(model_->navigation().pointerOnButton()));
}

void MainWindow::onLabelClicked(const QString& name) {
    const auto click = barClick(name.toStdString());
    if (!click) return;
    // A pressed action button or a running job owns the window until it ends.
    if ((scheduler_.jobRunning() || scheduler_.pressed()) && click->action != BarAction::Web &&
        click->action != BarAction::Exit)
        return;
    switch (click->action) {
        case BarAction::Page:
            if (const auto message = model_->pageClick(click->page)) {
                syncFromModel();
                showMessage(this, qs(*message));
            }
            break;
        case BarAction::Language: model_->languageClick(click->language); break;
        case BarAction::Web: Btn_Web_0Click(); return;
        case BarAction::Exit: Btn_Exit_0Click(); return;
        case BarAction::Confirm: Btn_Confirm_0Click(); return;
        case BarAction::Apply: Btn_Apply_0Click(); return;
        case BarAction::Reset: Btn_Reset_0Click(); return;
        case BarAction::SaveProfile: Btn_Save_0Click(); return;
        case BarAction::LoadProfile: Btn_Load_0Click(); return;
    }
    syncFromModel();
}

void MainWindow::onPicturePressed(const QString& name, const QPointF& windowPos) {
    dragging_ = false;
    bool background = false;
    for (int page = 1; page <= skin::kPageGroupCount; ++page) background |= name == qs(skin::baseImage(page));
    if (!background) return;
    model_->hideAllMenus();
    syncFromModel();
    if (windowHandle() != nullptr && windowHandle()->startSystemMove()) return;
    // Without a window manager that moves windows, follow the pointer ourselves. The grip is the
    // press's own point in the window: pos() can still hold a position the display has moved on
    // from, and an offset taken from it makes the first move jump by the difference. move()
    // places the frame, so a frame some window manager drew anyway is added.
    dragOffset_ = windowPos + QPointF(geometry().topLeft() - pos());
    dragging_ = true;
}

void MainWindow::onPictureDragged(const QPointF& globalPos) {
    if (dragging_) move((globalPos - dragOffset_).toPoint());
}

void MainWindow::LabelRunTimer() {
    model_->navigation().labelRunTick();
    syncFromModel();
}

void MainWindow::DevTimerTick() {
    emit devTimerTicked();
    if (worker_ != nullptr) carryOut(scheduler_.devTimerTick());
}

void MainWindow::Btn_Web_0Click() {
    const std::string address = model_->webClick();
    syncFromModel();
    openUrl_(QUrl(qs(address)));
}

void MainWindow::Btn_Exit_0Click() { close(); }

void MainWindow::DisableAllPages() {
    model_->appearance().disableAllPages();
    syncFromModel();
}

void MainWindow::EnableAllPages() {
    model_->appearance().enableAllPages();
    syncFromModel();
}

void MainWindow::setBusyWindow(LoadingWindow* busy) {
    busy_ = busy;
    if (busy_ != nullptr) busy_->placeOver(geometry());
}

void MainWindow::restoreAndRaise() {
    showNormal();
    raise();
    activateWindow();
}

void MainWindow::showStatusNote(const QString& text) {
    statusNote_->setText(text);
    // A longer text widens the note about its centre instead of being cut off.
    QRect at(0, 0, std::max(kStatusNoteRect.width(), statusNote_->sizeHint().width() + 16), kStatusNoteRect.height());
    at.moveCenter(kStatusNoteRect.center());
    statusNote_->setGeometry(at);
    statusNote_->raise();
    statusNote_->show();
    statusNoteTimer_.start();
}

void MainWindow::closeEvent(QCloseEvent* e) {
    // Nothing is left half-written: a close during a device job waits for its end, and the busy
    // window says so, so that the wait does not look like a hang.
    if (scheduler_.busy() && scheduler_.requestClose().what != JobScheduler::Do::Close) {
        // Only a job or the restart after an update is worth a word: a tick or a pressed button
        // ends at once.
        if (busy_ != nullptr && (scheduler_.jobRunning() || scheduler_.restarting())) {
            busy_->setNote(qs(model_->text("Str447")));
            busy_->placeOver(geometry());
            busy_->show();
        }
        e->ignore();
        return;
    }
    settleTimer_.stop();
    // FormCloseQuery: forget the report channels; closing proceeds.
    model_->appearance().setChannelsOpen(false);
    e->accept();
}

}  // namespace varnel
