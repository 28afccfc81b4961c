// The help window: the manual's pages in a text browser, with back and
// forward, the front page, and a search across every page of the manual.
#pragma once

#include <QString>
#include <QWidget>

#include <vector>

#include "ui/help.h"
#include "ui/help_search.h"

class QLineEdit;
class QListWidget;
class QPushButton;
class QTextBrowser;
class QUrl;

namespace orrelume {

class HelpWindow : public QWidget {
    Q_OBJECT
  public:
    // `manualDir` holds the pages; `owner` is the window the help belongs
    // to (it stays usable while that window is modal), or none.
    HelpWindow(QString manualDir, QWidget* owner = nullptr);
    ~HelpWindow() override;

    // Shows a topic's page (the search page with the cursor in the search
    // field) and brings the window to the front.
    void ShowTopic(HelpTopic topic);
    // Searches the manual for the words of `query` and lists the pages that
    // hold them all; the first is shown. Returns the number of pages found.
    int Search(const QString& query);

    QTextBrowser& Browser() const { return *brwManual_; }
    QListWidget& Results() const { return *lstResults_; }
    QLineEdit& SearchField() const { return *txtSearch_; }
    // The page shown, as a file name of the manual ("index.html").
    QString CurrentPage() const;

  private:
    void ShowPage(const QString& page);
    void FollowLink(const QUrl& link);
    void ShowResult(int row);
    void LoadPages();

    QString dir_;
    std::vector<ManualPage> pages_;
    QString lastQuery_;
    QPushButton* cmdContents_ = nullptr;
    QPushButton* cmdBack_ = nullptr;
    QPushButton* cmdForward_ = nullptr;
    QLineEdit* txtSearch_ = nullptr;
    QPushButton* cmdFind_ = nullptr;
    QListWidget* lstResults_ = nullptr;
    QTextBrowser* brwManual_ = nullptr;
};

}  // namespace orrelume
