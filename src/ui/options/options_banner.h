#pragma once

#include <QWidget>

namespace quexa::ui {

// "Quexa - Morvane" engraved in the sheet's lower left: a highlight a pixel right and down,
// then the shadow over it.
class OptionsBanner : public QWidget {
    Q_OBJECT

  public:
    static constexpr const char* kText = "Quexa - Morvane";

    explicit OptionsBanner(QWidget* parent = nullptr);

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QFont BannerFont() const;
};

}  // namespace quexa::ui
