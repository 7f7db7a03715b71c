#pragma once

#include <QDialog>

#include <functional>

#include <string>
#include <vector>

namespace quexa::ui {

class CheckList;

// "Network Resource List": the shares an Intranet search found, all ticked at first; OK keeps
// the ticked ones in their order.
class NetworkResourceDialog : public QDialog {
    Q_OBJECT

  public:
    static constexpr const char* kTitle = "Network Resource List";

    NetworkResourceDialog(const std::vector<std::string>& shares, QWidget* parent = nullptr);

    // The shares still ticked, in the order found.
    std::vector<std::string> Ticked() const;
    CheckList* Shares() const { return shares_; }
    void ShowMenu(const QPoint& globalPosition);

    // Shows the dialog: the ticked shares on OK, nothing on Cancel.
    static std::vector<std::string> Confirm(const std::vector<std::string>& shares,
                                            QWidget* parent);

  private:
    void SetAll(const std::function<bool(bool)>& tick);

    std::vector<std::string> names_;
    CheckList* shares_;
};

}  // namespace quexa::ui
