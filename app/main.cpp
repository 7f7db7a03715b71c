// quexa: the window.
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <iostream>
#include <string>
#include <vector>

#include "app/start_options.h"
#include "platform/app_folder_locator.h"
#include "platform/settings_store.h"
#include "ui/first_paint_exit.h"
#include "ui/main_frame.h"

int main(int argc, char** argv) {
    const std::vector<std::string> rawArguments(argv, argv + argc);
    if (quexa::app::StartOptions::AnswersWithoutWindow(rawArguments)) {
        return quexa::app::StartOptions::Parse(rawArguments).exitCode.value_or(0);
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quexa"));
    QApplication::setOrganizationName(QStringLiteral("Morvane"));

    std::vector<std::string> arguments;
    for (const QString& argument : QApplication::arguments()) {
        arguments.push_back(argument.toStdString());
    }
    const quexa::app::StartOptions options = quexa::app::StartOptions::Parse(arguments);
    if (options.exitCode) {
        return *options.exitCode;
    }

    quexa::platform::SettingsStore profile(
        quexa::platform::SettingsStore::ChooseFile(options.settingsFile));
    if (const std::optional<std::string> refusal = profile.Refusal()) {
        std::cerr << "Error: " << *refusal << "\n";
        QMessageBox::critical(nullptr, QStringLiteral("Error:"), QString::fromStdString(*refusal));
        return 1;
    }
    quexa::ui::MainFrame frame(profile, quexa::platform::AppFolderLocator::Locate(options.home));
    frame.show();
    for (const std::string& file : options.files) {
        frame.OpenFromCommandLine(file);
    }
    if (options.search) {
        frame.NewSearch(*options.search);
    }
    frame.ShowStartUpTip();
    quexa::ui::FirstPaintExit::InstallWhenAsked(frame);
    if (options.quit) {
        QTimer::singleShot(0, &frame, &QWidget::close);
    }
    return QApplication::exec();
}
