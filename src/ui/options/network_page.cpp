#include "ui/options/network_page.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSlider>
#include <QVBoxLayout>

#include "core/settings_table.h"

namespace quexa::ui {
namespace {

namespace settings = core::settings;

constexpr int kSliderPage = 30;

}  // namespace

NetworkPage::NetworkPage(core::Profile& profile, core::SettingsCache& cache, QWidget* parent)
    : OptionPage(parent),
      profile_(profile),
      cache_(cache),
      verifyText_(new QLabel(this)),
      searchText_(new QLabel(this)) {
    setAccessibleName(QString::fromLatin1(kTitle));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildLineGroup());
    layout->addWidget(BuildTimeoutGroup());
    layout->addWidget(BuildProxyGroup());
    layout->addStretch();
    layout->addLayout(ButtonRow());
}

QWidget* NetworkPage::BuildLineGroup() {
    auto* group = new QGroupBox(QStringLiteral("Line Performance"), this);
    auto* grid = new QGridLayout(group);
    auto* buttons = new QButtonGroup(group);
    const char* const captions[] = {
        "Low quality 56K Modem", "High quality 56K Modem", "64K ISDN ", "128K ISDN ",
        "Low Speed T3 (<128K)",  "High Speed T3 (>128K)"};
    int id = 0;
    for (const char* caption : captions) {
        auto* radio = new QRadioButton(QString::fromLatin1(caption), group);
        buttons->addButton(radio, id);
        grid->addWidget(radio, id / 2, id % 2);
        ++id;
    }
    Bind(buttons, settings::kLineType);
    return group;
}

QWidget* NetworkPage::BuildTimeoutGroup() {
    // The frames of the time-outs and the proxy carry no caption; readers still hear a name.
    auto* group = new QGroupBox(this);
    group->setAccessibleName(QStringLiteral("Timeout"));
    auto* grid = new QGridLayout(group);
    verifySlider_ = AddSlider(grid, 0, QStringLiteral("Verify:"), verifyText_);
    searchSlider_ = AddSlider(grid, 1, QStringLiteral("Search:"), searchText_);
    verifySlider_->setSingleStep(1);
    Bind(verifySlider_, settings::kVerifyTimeout);
    Bind(searchSlider_, settings::kSearchTimeout);
    return group;
}

QSlider* NetworkPage::AddSlider(QGridLayout* grid, int row, const QString& caption, QLabel* text) {
    auto* label = new QLabel(caption, this);
    auto* slider = new QSlider(Qt::Horizontal, this);
    slider->setRange(settings::kSearchTimeout.minimum, settings::kSearchTimeout.maximum);
    slider->setPageStep(kSliderPage);
    slider->setTickInterval(kSliderPage);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setSingleStep(1);
    label->setBuddy(slider);
    text->setAccessibleDescription(caption + QStringLiteral(" time-out"));
    text->setMinimumWidth(text->fontMetrics().horizontalAdvance(QStringLiteral("0 Min 00 Sec")));
    const auto showTimeout = [text](int seconds) {
        text->setText(QString::fromStdString(tasks::NetworkOptions::TimeoutText(seconds)));
    };
    showTimeout(slider->value());
    connect(slider, &QSlider::valueChanged, text, showTimeout);
    grid->addWidget(label, row, 0);
    grid->addWidget(slider, row, 1);
    grid->addWidget(text, row, 2);
    return slider;
}

QWidget* NetworkPage::BuildProxyGroup() {
    auto* group = new QGroupBox(this);
    group->setAccessibleName(QStringLiteral("Proxy"));
    auto* form = new QFormLayout(group);
    useProxy_ = new QCheckBox(QStringLiteral("Use Proxy"), group);
    server_ = new QLineEdit(group);
    server_->setMaxLength(static_cast<int>(settings::kProxyServer.maxCharacters));
    port_ = new QLineEdit(group);
    port_->setMaxLength(static_cast<int>(settings::kProxyPort.maxCharacters));
    port_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), port_));
    form->addRow(useProxy_);
    form->addRow(QStringLiteral("Server:"), server_);
    form->addRow(QStringLiteral("Port:"), port_);
    Bind(useProxy_, settings::kProxyUse);
    Bind(server_, settings::kProxyServer);
    Bind(port_, settings::kProxyPort);
    connect(useProxy_, &QCheckBox::toggled, this, &NetworkPage::ShowProxyEnabled);
    ShowProxyEnabled();
    return group;
}

void NetworkPage::ShowProxyEnabled() const {
    server_->setEnabled(useProxy_->isChecked());
    port_->setEnabled(useProxy_->isChecked());
}

}  // namespace quexa::ui
