#include "editors/ui/macro_page_view.h"

#include <QComboBox>
#include <QCursor>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <filesystem>

#include "platform/ui/input_capture_qt.h"
#include "skin/control_names.h"
#include "skin/finished_notes.h"
#include "skin/skin_tables.h"
#include "skin/ui/pictures.h"
#include "skin/ui/skin_widgets.h"

namespace varnel {

namespace {

constexpr QColor kFullBack(255, 0, 0);
constexpr QColor kSelectedBack(70, 74, 82);
constexpr QColor kSelectedText(255, 255, 255);
constexpr int kPictureInset = 2;
constexpr int kTextLeft = 45;

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
QColor qc(const Rgb& c) { return QColor(c.r, c.g, c.b); }

// LB_macroDrawItem: the event's picture in a square at the entry's left, its text 45 pixels in,
// in the list's colours; the last entry of a full macro on red.
class EventDelegate : public QStyledItemDelegate {
public:
    EventDelegate(const MacroPage& page, const ControlTable& controls, QObject* parent)
        : QStyledItemDelegate(parent), page_(page), controls_(controls) {}

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const MacroEventEntry entry = page_.eventEntry(index.row());
        const Control* list = controls_.find(ctrl::LB_macro);
        QColor back = list != nullptr && list->backColor ? qc(*list->backColor) : QColor(Qt::black);
        QColor text = list != nullptr && list->fontColor ? qc(*list->fontColor) : QColor(0, 128, 0);
        if (entry.full) {
            back = kFullBack;
            text = kSelectedText;
        } else if (option.state.testFlag(QStyle::State_Selected)) {
            back = kSelectedBack;
            text = kSelectedText;
        }
        const QRect r = option.rect;
        p->fillRect(r, back);
        const int side = r.height() - kPictureInset;
        p->drawPixmap(QRect(r.left() + kPictureInset, r.top() + kPictureInset, side, side),
                      pictures_.pixmap(entry.picture));
        p->setPen(text);
        p->setFont(option.font);
        p->drawText(r.adjusted(kTextLeft, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, qs(entry.text));
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        return {option.rect.width(), skin::kMacroEventHeight};
    }

private:
    const MacroPage& page_;
    const ControlTable& controls_;
    mutable Pictures pictures_;
};

// A click below the last entry keeps the selection (a list would drop it on screen while the
// page still acts on it).
class KeepSelection : public QObject {
public:
    explicit KeepSelection(QListWidget* list) : QObject(list), list_(list) {
        list->viewport()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() != QEvent::MouseButtonPress && e->type() != QEvent::MouseButtonDblClick) return false;
        return !list_->indexAt(static_cast<QMouseEvent*>(e)->position().toPoint()).isValid();
    }

private:
    QListWidget* list_;
};

}  // namespace

MacroPageView::MacroPageView(QWidget& window, MacroPage& page, const ControlTable& controls,
                             const CaptionsModel& captions, MacroPageServices services, std::function<void()> render)
    : QObject(&window),
      window_(window),
      page_(page),
      captions_(captions),
      services_(std::move(services)),
      render_(std::move(render)) {
    if (auto* names = window_.findChild<QListWidget*>(qs(ctrl::LB_MacroName))) {
        new KeepSelection(names);
        connect(names, &QListWidget::currentRowChanged, this, [this](int row) {
            if (row < 0) return;
            page_.selectMacro(row);
            sync();
        });
    }
    if (auto* events = window_.findChild<QListWidget*>(qs(ctrl::LB_macro))) {
        new KeepSelection(events);
        events->setItemDelegate(new EventDelegate(page_, controls, events));
        events->setUniformItemSizes(true);
        events->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
        // Entries are as wide as the list; the vertical bar must not make them scroll sideways.
        events->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        connect(events, &QListWidget::currentRowChanged, this, [this](int row) {
            page_.selectEvent(row);
            sync();
        });
        // The first entry in view follows the list as it scrolls (also when it scrolls to show
        // the selection); nothing else changes with it, so there is nothing to render.
        connect(events->verticalScrollBar(), &QScrollBar::valueChanged, this,
                [this](int top) { page_.LB_macroScrolled(top); });
    }

    onClick(ctrl::Btn_Del, [this] { page_.deleteEventWithPartner(); });
    onClick(ctrl::Btn_Insert, [this] { page_.openInsertPanel(); });
    onClick(ctrl::Btn_OK, [this] {
        const auto refusal = page_.confirmInsertion();
        if (!refusal) return;
        sync();
        services_.message(text(*refusal));
    });
    onClick(ctrl::Btn_Cancel, [this] { page_.cancelInsertion(); });
    onClick(ctrl::Btn_New, [this] { openRenameDialog(); });
    onClick(ctrl::Btn_Clear, [this] { clearMacro(); });
    onClick(ctrl::Btn_SaveMacro, [this] { services_.saveMacro(); });
    onClick(ctrl::Btn_ExportOne, [this] { exportOne(); });
    onClick(ctrl::Btn_Export, [this] { exportAll(); });
    onClick(ctrl::Btn_ImportOne, [this] { importOne(); });
    onClick(ctrl::Btn_Import, [this] { importAll(); });
    onClick(ctrl::Btn_Start, [this] { recordClick(false); });
    onClick(ctrl::Btn_InsertStart, [this] { recordClick(true); });

    constexpr DelayMode kModes[] = {DelayMode::RecordDelay, DelayMode::DefaultDelay, DelayMode::NoDelay};
    for (std::size_t j = 0; j < 3; ++j) {
        onClick(skin::kRecordDelays.labels[j], [this, m = kModes[j]] { page_.chooseRecordDelay(m); });
        onClick(skin::kInsertDelays.labels[j], [this, m = kModes[j]] { page_.chooseInsertDelay(m); });
    }
    if (auto* choice = window_.findChild<QComboBox*>(qs(ctrl::CB_Insert))) {
        connect(choice, &QComboBox::activated, this, [this](int index) {
            page_.chooseInsertion(index);
            sync();
        });
    }
    for (const auto name : {ctrl::Edt_Delay, ctrl::Edt_InsertDelay}) {
        auto* edit = window_.findChild<QLineEdit*>(qs(name));
        if (edit == nullptr) continue;
        edit->setMaxLength(5);
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression(R"(\d{0,2}(\.\d{0,2})?)"), edit));
        connect(edit, &QLineEdit::textEdited, this, [this, name](const QString& typed) {
            page_.delayTyped(name, typed.toStdString());
            sync();
        });
        connect(edit, &QLineEdit::editingFinished, this, [this, name] {
            page_.delayEdited(name);
            sync();
        });
    }
}

MacroPageView::~MacroPageView() {
    if (capture_) capture_->stop();
}

void MacroPageView::setCapture(std::unique_ptr<InputCapture> capture) {
    if (capture_) capture_->stop();
    capture_ = std::move(capture);
}

void MacroPageView::recordClick(bool insert) {
    // The capture is chosen when first needed: start-up does not wait for the desktop's answer.
    if (!capture_) capture_ = makeInputCapture();
    page_.setGlobalCapture(capture_->global());
    if (!insert && page_.recordingReplaces() && !services_.question(text("Str550"))) return;
    const Status s = services_.recordClick(insert);
    if (page_.recording()) window_.setFocus();
    sync();
    if (!s) services_.message(text(s.error().languageKey.empty() ? "Str434" : s.error().languageKey));
}

void MacroPageView::recordInput(const InputEvent& e) {
    // A desktop-wide click can arrive before the window has seen the pointer enter Stop.
    bool onRecordButton = false;
    for (const std::string_view name : {ctrl::Btn_Start, ctrl::Btn_InsertStart}) {
        const auto* w = window_.findChild<QWidget*>(qs(name));
        onRecordButton |= w != nullptr && w->isVisible() && w->rect().contains(w->mapFromGlobal(QCursor::pos()));
    }
    const Status s = services_.recordInput(e, onRecordButton);
    sync();
    if (!s) services_.message(text(s.error().languageKey.empty() ? "Str434" : s.error().languageKey));
}

void MacroPageView::followRecording() {
    if (!capture_) return;
    const bool recording = page_.recording();
    if (recording && !capture_->running()) {
        if (!capture_->start([this](const InputEvent& e) { recordInput(e); })) {
            // The desktop refused its raw input: this window's own events still record.
            setCapture(std::make_unique<WindowInputCapture>());
            capture_->start([this](const InputEvent& e) { recordInput(e); });
            page_.setGlobalCapture(false);
            if (render_) render_();
        }
    } else if (!recording && capture_->running()) {
        capture_->stop();
    }
}

void MacroPageView::onClick(std::string_view label, std::function<void()> click) {
    auto* l = window_.findChild<SkinLabel*>(qs(label));
    if (l == nullptr) return;
    connect(l, &SkinLabel::clicked, this, [this, click = std::move(click)](const QString&) {
        click();
        sync();
    });
}

QString MacroPageView::text(std::string_view key) const { return qs(captions_.text(key)); }

void MacroPageView::sync() {
    if (render_) render_();
    followRecording();
    // The entries' pictures and the full mark come from the model at paint time.
    if (auto* events = window_.findChild<QListWidget*>(qs(ctrl::LB_macro))) events->viewport()->update();
}

void MacroPageView::openRenameDialog() {
    if (!page_.startRename()) return;
    if (dialog_) dialog_->close();
    sync();
    dialog_ = new MacroNameDialog(&window_, captions_, page_, [this] { sync(); });
    dialog_->present();
}

void MacroPageView::clearMacro() {
    if (!page_.startClear()) return;
    sync();
    if (services_.question(text("Str430"))) page_.clearSelectedMacro();
}

void MacroPageView::showFailure(const Error& error) {
    sync();
    // The reason's own text where it has one; else what the system said about the file.
    services_.message(qs(captions_.messageFor(error, "Str436", true)));
}

void MacroPageView::tellDone(Finished action, const std::filesystem::path& file) {
    sync();
    services_.note(qs(finishedNote(captions_, action, file.filename().string())));
}

void MacroPageView::showImport(const Result<RepairedMacros>& imported, Finished action,
                               const std::filesystem::path& file) {
    if (!imported) return showFailure(imported.error());
    tellDone(action, file);
    if (imported->empty()) return;
    sync();
    services_.message(text(kRepairedMacrosKey).replace("%1", qs(repairedMacroNumbers(*imported))));
}

void MacroPageView::exportOne() {
    services_.whileHeld([this] {
        if (!page_.startExportOne()) return;
        sync();
        const auto target = services_.chooseFile(true);
        if (!target) return;
        const auto written = page_.exportOne(*target);
        written ? tellDone(Finished::MacroExported, *written) : showFailure(written.error());
    });
}

void MacroPageView::exportAll() {
    services_.whileHeld([this] {
        const auto target = services_.chooseFile(true);
        if (!target) return;
        const auto written = page_.exportAll(*target);
        written ? tellDone(Finished::MacrosExported, *written) : showFailure(written.error());
    });
}

void MacroPageView::importOne() {
    services_.whileHeld([this] {
        if (!page_.startImportOne()) return;
        const auto file = services_.chooseFile(false);
        if (!file) return;
        const auto imported = page_.importOne(*file);
        // Two macros of one name could not be told apart in the button menus' picker: the name is
        // settled before the note says the import is done.
        if (const auto distinct = imported ? page_.distinctImportedName() : std::nullopt) {
            QString question = text("Str552");
            question.replace("%1", qs(page_.selectedName())).replace("%2", qs(*distinct));
            if (services_.question(question)) page_.confirmRename(*distinct);
            sync();
        }
        showImport(imported, Finished::MacroImported, *file);
    });
}

void MacroPageView::importAll() {
    services_.whileHeld([this] {
        const auto file = services_.chooseFile(false);
        if (!file) return;
        showImport(page_.importAll(*file), Finished::MacrosImported, *file);
    });
}

}  // namespace varnel
