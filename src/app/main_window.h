#pragma once
// The main window (TForm1): renders the window model's controls as widgets and forwards the
// user's clicks and pointer moves to it. Every rule lives in the model.
#include <QPoint>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>

#include "app/pictures.h"
#include "config/app_state.h"
#include "skin/main_window_model.h"

namespace varnel {

class LoadingWindow;

class MainWindow : public QWidget {
    Q_OBJECT
public:
    // Creates every control and runs FormCreate on the embedded default image.
    explicit MainWindow(AppState& state, QWidget* parent = nullptr);
    ~MainWindow() override;

    MainWindowModel& model() { return *model_; }
    QTimer* devTimer() { return &devTimer_; }
    QTimer* labelRun() { return &labelRun_; }
    void setBusyWindow(LoadingWindow* busy);
    LoadingWindow* busyWindow() const { return busy_; }
    // How the Web button opens its address (tests replace it).
    void setUrlOpener(std::function<void(const QUrl&)> opener) { openUrl_ = std::move(opener); }
    // Renders the controls the model changed and follows its timer states.
    void syncFromModel();

public slots:
    void restoreAndRaise();
    void LabelRunTimer();
    void DevTimerTick();
    void Btn_Web_0Click();
    void Btn_Exit_0Click();
    void DisableAllPages();
    void EnableAllPages();

signals:
    // DevTimer fired: the device link watches the HID population here.
    void devTimerTicked();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void createWidgets();
    QWidget* createWidget(const Control& c, QWidget* parent);
    void render(const Control& c);
    void updateMask(const std::string& background);
    void onLabelEntered(const QString& name);
    void onLabelLeft(const QString& name);
    void onLabelClicked(const QString& name);
    void onPicturePressed(const QString& name, const QPoint& globalPos);
    void onPictureDragged(const QPoint& globalPos);
    void reportProblem(const std::string& line);

    AppState& state_;
    std::unique_ptr<MainWindowModel> model_;
    Pictures pictures_;
    std::unordered_map<std::string, QWidget*> widgets_;
    std::string maskedBackground_;
    QTimer devTimer_;
    QTimer labelRun_;
    LoadingWindow* busy_ = nullptr;
    std::function<void(const QUrl&)> openUrl_;
    std::set<std::string> reported_;
    QPoint dragOffset_;
    bool dragging_ = false;
};

}  // namespace varnel
