#include "app/main_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>
#include <cstdio>

#include "app/file_dialog.h"
#include "app/loading_window.h"
#include "app/message_box.h"
#include "app/page_views.h"
#include "common/resources.h"
#include "editors/ui/macro_page_view.h"
#include "platform/udev_rule.h"
#include "skin/button_families.h"
#include "skin/control_names.h"
#include "skin/skin_tables.h"
#include "skin/ui/skin_widgets.h"

namespace varnel {

namespace {

constexpr QRgb kMaroon = qRgb(128, 0, 0);  // window colour behind the skin
constexpr int kDevTimerMs = 3500;
constexpr int kLabelRunMs = 200;

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

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
    jobs_ = std::make_unique<WindowJobs>(*model_, WindowPresenter{[this](const std::string& text) {
                                                                      syncFromModel();
                                                                      showMessage(this, qs(text));
                                                                  },
                                                                  [this] { syncFromModel(); },
                                                                  [this](const std::string& text) {
                                                                      if (statusNote_) statusNote_->showText(qs(text));
                                                                  }});
    createWidgets();

    devTimer_.setObjectName("DevTimer");
    devTimer_.setInterval(kDevTimerMs);
    connect(&devTimer_, &QTimer::timeout, this, &MainWindow::pollForMouse);
    labelRun_.setObjectName("LabelRun");
    labelRun_.setInterval(kLabelRunMs);
    connect(&labelRun_, &QTimer::timeout, this, &MainWindow::scrollCaption);
    settleTimer_.setSingleShot(true);
    connect(&settleTimer_, &QTimer::timeout, this, [this] { carryOut(scheduler().settleWaitOver()); });
    restartTimer_.setSingleShot(true);
    connect(&restartTimer_, &QTimer::timeout, this, [this] { carryOut(scheduler().restartWaitOver()); });
    restartCountdown_.setInterval(250);
    connect(&restartCountdown_, &QTimer::timeout, this, &MainWindow::showRestartCountdown);

    const QSize screen = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->geometry().size()
                                                          : QSize(kMainWindowWidth, kMainWindowHeight);
    model_->formCreate(screen.width(), screen.height());
    for (const auto& p : model_->problems()) reportProblem(p);
    model_->setUdevRule(findUdevRule());

    const WindowRect r = model_->windowRect();
    move(r.x, r.y);
    for (const auto& name : model_->controls().names()) render(*model_->controls().find(name));
    model_->controls().takeChanged();
    fitCaptionRows(*this);
    syncFromModel();
    createPageViews();
    statusNote_ = new StatusNote(this);
}

MainWindow::~MainWindow() = default;

void MainWindow::createPageViews() {
    PageViewServices services{
        {
            [this](const QString& text) { showMessage(this, text); },
            [this](const QString& text) { return askQuestion(this, text); },
            [this](bool save) { return chooseBinFile(save, skin::kMacroFilterKey); },
            [this](const std::function<void()>& work) { whileHeld(work); },
            [this] { Btn_SaveMacroClick(); },
            [this](bool insert) { return model_->recordClick(insert); },
            [this](const InputEvent& e, bool onRecordButton) { return model_->recordInput(e, onRecordButton); },
            [this](const QString& text) { statusNote_->showText(text); },
        },
        {
            [this] { return chooseFile(this, FileDialogKind::Open, qs(model_->text(skin::kFirmwareFilterKey))); },
            [this](const std::filesystem::path& file) { loadFirmwareFile(file); },
            [this] { programFirmware(); },
        },
        [this] { syncFromModel(); },
    };
    macroView_ = varnel::createPageViews(*this, *model_, services);
}

void MainWindow::reportProblem(const std::string& line) {
    if (reported_.insert(line).second) std::fprintf(stderr, "varnel-config: %s\n", line.c_str());
}

void MainWindow::createWidgets() {
    const ControlTable& table = model_->controls();
    for (const auto& name : table.names()) {
        const Control& c = *table.find(name);
        const auto parent = widgets_.find(c.parent);
        QWidget* w = createControlWidget(c, parent != widgets_.end() ? parent->second : this);
        w->setObjectName(qs(c.name));
        connectControl(w, c);
        widgets_.emplace(c.name, w);
    }
}

void MainWindow::connectControl(QWidget* w, const Control& c) {
    if (auto* p = qobject_cast<SkinPicture*>(w)) {
        connect(p, &SkinPicture::pressed, this, &MainWindow::onPicturePressed);
        connect(p, &SkinPicture::dragged, this, &MainWindow::onPictureDragged);
    } else if (auto* l = qobject_cast<SkinLabel*>(w)) {
        connect(l, &SkinLabel::entered, this, &MainWindow::onLabelEntered);
        connect(l, &SkinLabel::left, this, &MainWindow::onLabelLeft);
        connect(l, &SkinLabel::clicked, this, &MainWindow::onLabelClicked);
    } else if (auto* cb = qobject_cast<QComboBox*>(w)) {
        // The model re-renders the index (a language switch), so the user's choice goes there.
        connect(cb, &QComboBox::activated, this, [this, name = c.name](int index) {
            model_->controls().setItemIndex(name, index);
            syncFromModel();
        });
    }
}

void MainWindow::render(const Control& c) {
    const auto it = widgets_.find(c.name);
    if (it == widgets_.end()) return;
    paintControl(it->second, c, paint_);
    if (c.name == skin::baseImage(1)) updateMask(c.picture);
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
    if (captions) fitCaptionRows(*this);
    const auto follow = [](QTimer& t, bool on) {
        if (on && !t.isActive()) t.start();
        if (!on && t.isActive()) t.stop();
    };
    follow(devTimer_, countPolls_ && !scheduler().holdsWindow());
    follow(labelRun_, model_->navigation().labelRunEnabled());
    if (const QString title = qs(model_->applicationTitle()); title != QGuiApplication::applicationDisplayName()) {
        QGuiApplication::setApplicationDisplayName(title);
        // The window manager's title joins the window's caption and this name as they were when the
        // caption was set: set it again (a repeat of the same caption would be ignored).
        setWindowTitle(QString());
        setWindowTitle(kMainWindowCaption);
    }
    qtTranslations_.follow(qs(model_->text(kLocaleKey)));
    if (macroView_) macroView_->followRecording();
}

void MainWindow::onLabelEntered(const QString& name) {
    const std::string n = name.toStdString();
    model_->navigation().hoverEnter(n);
    auto* l = qobject_cast<SkinLabel*>(widgets_[n]);
    if (l && model_->navigation().captionScrolls(n)) l->setScrolling(true);
    carryOut(scheduler().pointerOnButton(model_->navigation().pointerOnButton()));
}

void MainWindow::onLabelLeft(const QString& name) {
    const std::string n = name.toStdString();
    model_->navigation().hoverLeave(n);
    if (auto* l = qobject_cast<SkinLabel*>(widgets_[n])) l->setScrolling(false);
    carryOut(scheduler().pointerOnButton(model_->navigation().pointerOnButton()));
}

void MainWindow::onLabelClicked(const QString& name) {
    // A pressed action button or a running job owns the window until it ends.
    const auto click = barClick(name.toStdString());
    if (!click || !jobs_->takesBarClick(click->action)) return;
    constexpr std::pair<BarAction, void (MainWindow::*)()> kButtons[] = {
        {BarAction::Web, &MainWindow::Btn_Web_0Click},          {BarAction::Exit, &MainWindow::Btn_Exit_0Click},
        {BarAction::Minimise, &MainWindow::Btn_Min_0Click},     {BarAction::Confirm, &MainWindow::Btn_Confirm_0Click},
        {BarAction::Apply, &MainWindow::Btn_Apply_0Click},      {BarAction::Reset, &MainWindow::Btn_Reset_0Click},
        {BarAction::SaveProfile, &MainWindow::Btn_Save_0Click}, {BarAction::LoadProfile, &MainWindow::Btn_Load_0Click},
    };
    for (const auto& [action, slot] : kButtons) {
        if (action == click->action) return (this->*slot)();
    }
    const auto message = click->action == BarAction::Page ? model_->pageClick(click->page) : std::nullopt;
    if (click->action == BarAction::Language) languageClick(click->language);
    syncFromModel();
    if (message) showMessage(this, qs(*message));
}

void MainWindow::onPicturePressed(const QString& name, const QPointF& windowPos) {
    dragging_ = false;
    if (!skin::isBaseImage(name.toStdString())) return;
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

void MainWindow::scrollCaption() {
    model_->navigation().labelRunTick();
    syncFromModel();
}

void MainWindow::pollForMouse() {
    emit devTimerTicked();
    if (worker_ != nullptr) carryOut(scheduler().devTimerTick());
}

void MainWindow::Btn_Web_0Click() {
    const std::string address = model_->webClick();
    syncFromModel();
    openUrl_(QUrl(qs(address)));
}

void MainWindow::Btn_Exit_0Click() { close(); }

void MainWindow::Btn_Min_0Click() { showMinimized(); }

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

bool MainWindow::askBeforeClosing() {
    const std::optional<std::string> question = jobs_->exitQuestion();
    if (!question) return true;
    QStringList answers;
    for (const std::string& a : jobs_->exitAnswers()) answers << qs(a);
    switch (static_cast<WindowJobs::ExitAnswer>(askChoice(this, qs(*question), answers))) {
        case WindowJobs::ExitAnswer::ApplyAndExit:
            // Confirm's write: the window closes once the mouse holds the edits, and stays when
            // it failed.
            QTimer::singleShot(0, this, [this] { Btn_Confirm_0Click(); });
            return false;
        case WindowJobs::ExitAnswer::ExitWithoutApplying: return true;
        case WindowJobs::ExitAnswer::Cancel: break;
    }
    return false;
}

void MainWindow::closeEvent(QCloseEvent* e) {
    // Nothing is left half-written: a close during a device job waits for its end, and the busy
    // window says so, so that the wait does not look like a hang.
    if (const WindowJobs::CloseAnswer answer = jobs_->requestClose(); answer.close != WindowJobs::Close::Now) {
        if (busy_ != nullptr && answer.close == WindowJobs::Close::WaitAndSay) {
            busy_->setNote(qs(jobs_->closingNote()));
            busy_->placeOver(geometry());
            busy_->show();
        }
        e->ignore();
        if (answer.order.what != JobScheduler::Do::Nothing)
            QTimer::singleShot(0, this, [this, order = answer.order] { carryOut(order); });
        return;
    }
    if (!askBeforeClosing()) {
        e->ignore();
        return;
    }
    settleTimer_.stop();
    // FormCloseQuery: forget the report channels; closing proceeds.
    model_->appearance().setChannelsOpen(false);
    e->accept();
}

}  // namespace varnel
