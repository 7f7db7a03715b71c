#pragma once

#include <QStatusBar>

#include <array>

class QLabel;
class QProgressBar;

namespace quexa::ui {

// The main window's status bar: the message pane, a blank pane 200 pixels wide and the Caps
// Lock, Num Lock and Scroll Lock indicators, with two progress bars kept over the first two
// panes (hidden until a task shows one).
class FrameStatusBar : public QStatusBar {
    Q_OBJECT

  public:
    static constexpr int kBlankPaneWidth = 200;
    static constexpr int kProgressCount = 2;

    explicit FrameStatusBar(QWidget* parent = nullptr);

    // Pane 0.
    void SetMessage(const QString& text);
    QString Message() const;
    // The bar over pane 0 or 1.
    QProgressBar& Progress(int pane) { return *progress_[static_cast<std::size_t>(pane)]; }
    // Pane 0 to 4.
    QWidget& Pane(int pane) const;

  protected:
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;

  private:
    void PlaceProgressBars();

    QLabel* message_;
    QLabel* blank_;
    std::array<QLabel*, 3> indicators_{};
    std::array<QProgressBar*, kProgressCount> progress_{};
};

}  // namespace quexa::ui
