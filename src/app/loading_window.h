#pragma once
// The busy window shown during device transfers: a looping animation drawn here and the
// running transfer's progress ("done / total"). Borderless, on top, centred on the main
// window 40 pixels low. The animation runs only while the window is shown, and its frames are
// drawn once and kept: a long read costs the host a picture copy and a line of text per frame.
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <array>

namespace varnel {

class LoadingWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 200;
    static constexpr int kHeight = 192;

    explicit LoadingWindow(QWidget* parent = nullptr);
    // Moves the window by the placement rule over the main window's geometry.
    void placeOver(const QRect& mainWindow);
    QString progressText() const;
    // A line under the progress (why the window stays, while a close waits); empty: none.
    void setNote(const QString& note);
    QString note() const { return note_; }
    int frame() const { return frame_; }
    bool animating() const { return animation_.isActive(); }

    // A device job begins over `mainWindow`: no progress yet; shown at once when `show`, else at
    // its first progress.
    void beginJob(const QRect& mainWindow, bool show);
    void jobProgress(int done, int total, const QRect& mainWindow);
    void endJob();

public slots:
    // The transfer's progress; a total of 0 clears the text.
    void setProgress(int done, int total);
    void advance();

protected:
    void paintEvent(QPaintEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    static constexpr int kSegments = 12;
    // The panel and the ring at `frame`, smaller and higher when a note is shown.
    const QPixmap& backdrop(bool noted, int frame);

    std::array<std::array<QPixmap, kSegments>, 2> backdrops_;
    QTimer animation_;
    int frame_ = 0;
    int done_ = 0;
    int total_ = 0;
    QString note_;
};

}  // namespace varnel
