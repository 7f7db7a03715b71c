#pragma once

#include <QWidget>

#include <array>

#include "tasks/fast_info.h"

class QLineEdit;

namespace quexa::ui {

// The fast information bar: seven captions with read-only fields that show the current result
// file's key words, mode, author, date, item count, note and path.
class FastInfoBar : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kFieldCount = 7;
    static constexpr std::array<const char*, kFieldCount> kCaptions{
        "Key:", "Mode:", "Author:", "Date:", "Count:", "Note:", "Path:"};

    explicit FastInfoBar(QWidget* parent = nullptr);

    void Show(const tasks::FastInfo& info);
    // The field under the caption at that index.
    const QLineEdit& Field(int index) const { return *fields_[static_cast<std::size_t>(index)]; }

  private:
    std::array<QLineEdit*, kFieldCount> fields_{};
};

}  // namespace quexa::ui
