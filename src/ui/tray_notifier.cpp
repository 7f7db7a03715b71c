#include "ui/tray_notifier.h"

#include <QTimerEvent>

#include <algorithm>
#include <utility>

#include "ui/picture_book.h"

namespace quexa::ui {
namespace {

// The sizes desktops draw notification icons at.
constexpr int kFrameSizes[] = {16, 22, 24, 32, 48};

QIcon Frame(const QString& name) {
    QIcon icon;
    for (const int size : kFrameSizes) {
        icon.addPixmap(PictureBook::Picture(name, QSize(size, size)));
    }
    return icon;
}

}  // namespace

TrayNotifier::TrayNotifier(std::unique_ptr<TrayIcon> icon, QObject* parent)
    : QObject(parent), icon_(std::move(icon)) {}

TrayNotifier::~TrayNotifier() {
    timer_.stop();
    Hide();
}

TrayNotifier* TrayNotifier::CreateForView(QObject* view, std::unique_ptr<TrayIcon> icon) {
    auto* notifier = new TrayNotifier(std::move(icon), view);
    notifier->SetFrames(QuexaFrames());
    notifier->SetInterval(kViewInterval);
    notifier->SetTip(QString::fromLatin1(kViewTip));
    return notifier;
}

std::vector<QIcon> TrayNotifier::QuexaFrames() {
    const QIcon centre = Frame(QStringLiteral("tray_centre"));
    return {centre, Frame(QStringLiteral("tray_left")), centre,
            Frame(QStringLiteral("tray_right"))};
}

void TrayNotifier::Show() {
    if (shown_) {
        return;
    }
    if (!frames_.empty()) {
        icon_->SetIcon(frames_[next_]);
    }
    icon_->SetToolTip(tip_);
    shown_ = icon_->Show();
}

void TrayNotifier::Hide() {
    if (shown_) {
        icon_->Hide();
        shown_ = false;
    }
}

void TrayNotifier::StartAnimation() {
    if (!timer_.isActive()) {
        timer_.start(static_cast<int>(interval_.count()), this);
    }
}

void TrayNotifier::StopAnimation() {
    timer_.stop();
}

void TrayNotifier::SetFrames(std::vector<QIcon> frames) {
    frames_ = std::move(frames);
    // Fewer frames than before must not leave the next one past the end.
    if (next_ >= frames_.size()) {
        next_ = 0;
    }
}

void TrayNotifier::SetInterval(std::chrono::milliseconds interval) {
    timer_.stop();
    interval_ = std::max(interval, std::chrono::milliseconds(0));
    timer_.start(static_cast<int>(interval_.count()), this);
}

void TrayNotifier::SetTip(const QString& tip) {
    tip_ = tip;
}

void TrayNotifier::Tick() {
    if (!shown_) {
        return;
    }
    if (!frames_.empty()) {
        icon_->SetIcon(frames_[next_]);
        next_ = (next_ + 1) % frames_.size();
    }
    Update();
}

void TrayNotifier::Update() {
    icon_->SetToolTip(tip_);
}

void TrayNotifier::timerEvent(QTimerEvent* event) {
    if (event->timerId() == timer_.timerId()) {
        Tick();
        return;
    }
    QObject::timerEvent(event);
}

}  // namespace quexa::ui
