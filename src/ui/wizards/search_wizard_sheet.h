#pragma once

#include <QStringList>
#include <QWizard>

namespace quexa::ui {

// What the two search wizards share: the classic look with the side picture, and a window
// title of its own for every page, so that each page is known by name.
class SearchWizardSheet : public QWizard {
    Q_OBJECT

  public:
    SearchWizardSheet(QStringList captions, QWidget* parent);

    // A page left by Back stores what it holds; the pages a Cancel tears down store nothing.
    static bool LeftByBack(const QWizardPage& page);
    void done(int result) override;

  protected:
    // Adds the pages in caption order.
    void AddPages(const QList<QWizardPage*>& pages);

  private:
    void ShowCaption(int id);

    QStringList captions_;
    bool closing_ = false;
};

}  // namespace quexa::ui
