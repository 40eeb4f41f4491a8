#pragma once

#include <QDialog>
#include <QUrl>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/app/AppComm.h"
#include "core/net/CategoryBookmarks.h"
#include "core/net/CategoryCatalogue.h"
#include "core/net/CategoryItem.h"
#include "core/net/SearchKeywords.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;
class QWebEngineView;

namespace nuvo {

class CAppOptions;
class CCategoryWebPage;
class CNetworkSession;
class IUserPrompt;

// The category dialog ("カテゴリ選択"): the seller finds the listing's category by keywords, in
// the catalogue's tree, in the recent history, among the remembered categories or on the
// service's own category pages, and ends with OK and the chosen category or Cancel. It keeps
// the search words, the remembered categories and the place on the service's pages in the
// settings when it closes. Owns its controls and, once the service's pages are shown, its network
// session; links to the settings, the options and the catalogue.
class CCategoryReferDialog : public QDialog {
  Q_OBJECT

 public:
  // `history` is the category box's list, most recent first; `current` the listing's category.
  // The service's pages are fetched through `session`, or through a session of the dialog's own
  // when none is given.
  CCategoryReferDialog(CAppComm& app, const CAppOptions& options, CCategoryCatalogue& catalogue,
                       IUserPrompt& prompt, std::vector<CategoryItem> history, CategoryItem current,
                       QWidget* parent = nullptr, CNetworkSession* session = nullptr);
  ~CCategoryReferDialog() override;

  const CategoryItem& Chosen() const { return chosen_; }

  // The service's page at `url`, fetched, cleaned and shown; false (the previous page stays) when
  // it could not be fetched or written.
  bool ShowServicePage(const QUrl& url);

 public slots:
  void done(int result) override;

 private:
  QWidget* BuildSearchTab();
  QWidget* BuildTreeTab();
  QWidget* BuildHistoryTab(const std::vector<CategoryItem>& history);
  QWidget* BuildBookmarksTab();
  QWidget* BuildWebTab();
  void FillTree();
  void FillBookmarks();
  void OnTabChanged(int index);

  void Search();
  void Choose(const CategoryItem& item);
  void ChooseNumber(std::uint32_t id);
  void ChooseAndAccept(const CategoryItem& item);
  void AddBookmark();
  void RemoveBookmark();
  void OpenServicePages();
  void SaveServicePlace();

  CAppComm& app_;
  const CAppOptions& options_;
  CCategoryCatalogue& catalogue_;
  IUserPrompt& prompt_;
  CategoryItem chosen_;
  CSearchKeywords keywords_;
  CCategoryBookmarks bookmarks_;
  CNetworkSession* session_;
  std::unique_ptr<CNetworkSession> ownSession_;
  std::string listingHost_;
  std::vector<std::filesystem::path> workFiles_;
  QUrl shownPage_;

  QTabWidget* tabs_;
  QComboBox* words_;
  QTreeWidget* results_;
  QLabel* resultCount_;
  QTreeWidget* tree_;
  QListWidget* bookmarkList_;
  QWidget* webTab_;
  QWebEngineView* web_ = nullptr;
  CCategoryWebPage* webPage_ = nullptr;
  QLineEdit* chosenText_;
  QPushButton* okButton_;
};

}  // namespace nuvo
