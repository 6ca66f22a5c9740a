#pragma once
// The busy window shown during device transfers: a looping animation drawn here and the
// running transfer's progress ("done / total"). Borderless, on top, centred on the main
// window 40 pixels low.
#include <QTimer>
#include <QWidget>

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

private:
    QTimer animation_;
    int frame_ = 0;
    int done_ = 0;
    int total_ = 0;
    QString note_;
};

}  // namespace varnel
