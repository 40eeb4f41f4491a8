#include "gui/net/CategoryReferDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWebEngineView>
#include <algorithm>
#include <fstream>
#include <map>

#include "core/app/AppOptions.h"
#include "core/app/OptionBits.h"
#include "core/common/MessageIds.h"
#include "core/common/UserPrompt.h"
#include "core/net/CategoryPage.h"
#include "core/net/CategorySearch.h"
#include "core/net/ServiceProfile.h"
#include "gui/common/QtText.h"
#include "gui/net/CategoryWebPage.h"
#include "gui/net/DownloadDialog.h"
#include "gui/net/NetworkSession.h"

namespace nuvo {
namespace {

constexpr int kIdRole = Qt::UserRole;
constexpr int kNameRole = Qt::UserRole + 1;
const std::string kLastPageKey = "LastPage";
const std::string kScrollTopKey = "ScrollTop";

enum Tab { kSearchTab, kTreeTab, kHistoryTab, kBookmarksTab, kWebTab };

QString Display(const CategoryItem& item) {
  return QStringLiteral("%1  (%2)").arg(ToQString(item.name)).arg(item.id);
}

// The item a list or tree row stands for; id 0 when the row is no category (a tree level that
// the catalogue names no number for).
template <typename Row>
CategoryItem ItemOf(const Row* row, int column = 0) {
  if (!row) return {};
  return {row->data(column, kIdRole).toInt(),
          row->data(column, kNameRole).toByteArray().toStdString()};
}

CategoryItem ItemOf(const QListWidgetItem* row) {
  if (!row) return {};
  return {row->data(kIdRole).toInt(), row->data(kNameRole).toByteArray().toStdString()};
}

QListWidgetItem* ListRow(const CategoryItem& item) {
  auto* row = new QListWidgetItem(Display(item));
  row->setData(kIdRole, item.id);
  row->setData(kNameRole, QByteArray::fromStdString(item.name));
  return row;
}

void MarkTreeRow(QTreeWidgetItem* row, const CategoryEntry& entry) {
  row->setData(0, kIdRole, static_cast<int>(entry.id));
  row->setData(0, kNameRole, QByteArray::fromStdString(entry.name));
  row->setToolTip(0, QStringLiteral("%1  (%2)").arg(ToQString(entry.name)).arg(entry.id));
}

}  // namespace

CCategoryReferDialog::CCategoryReferDialog(CAppComm& app, const CAppOptions& options,
                                           CCategoryCatalogue& catalogue, IUserPrompt& prompt,
                                           std::vector<CategoryItem> history, CategoryItem current,
                                           QWidget* parent, CNetworkSession* session)
    : QDialog(parent),
      app_(app),
      options_(options),
      catalogue_(catalogue),
      prompt_(prompt),
      chosen_(std::move(current)),
      session_(session) {
  setWindowTitle(QStringLiteral("カテゴリ選択"));
  keywords_.Load(app_);
  bookmarks_.Load(app_);

  tabs_ = new QTabWidget;
  tabs_->setObjectName(QStringLiteral("tabs"));
  tabs_->addTab(BuildSearchTab(), QStringLiteral("検索して選択(&K)"));
  tabs_->addTab(BuildTreeTab(), QStringLiteral("一覧から選択(&L)"));
  tabs_->addTab(BuildHistoryTab(history), QStringLiteral("履歴から選択(&H)"));
  tabs_->addTab(BuildBookmarksTab(), QStringLiteral("登録したカテゴリ(&M)"));
  tabs_->addTab(BuildWebTab(), QStringLiteral("Webページから選択(&W)"));
  connect(tabs_, &QTabWidget::currentChanged, this, &CCategoryReferDialog::OnTabChanged);

  chosenText_ = new QLineEdit;
  chosenText_->setReadOnly(true);
  chosenText_->setObjectName(QStringLiteral("chosen"));
  auto* chosenLabel = new QLabel(QStringLiteral("選択中のカテゴリ:"));
  chosenLabel->setBuddy(chosenText_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  okButton_ = buttons->button(QDialogButtonBox::Ok);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(chosenLabel);
  bottom->addWidget(chosenText_, 1);
  bottom->addWidget(buttons);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_, 1);
  layout->addLayout(bottom);
  Choose(chosen_);
  resize(760, 560);
  words_->setFocus();
}

CCategoryReferDialog::~CCategoryReferDialog() {
  for (const std::filesystem::path& file : workFiles_) {
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
  }
}

QWidget* CCategoryReferDialog::BuildSearchTab() {
  auto* tab = new QWidget;
  words_ = new QComboBox;
  words_->setObjectName(QStringLiteral("keywords"));
  words_->setEditable(true);
  words_->setInsertPolicy(QComboBox::NoInsert);
  for (const std::string& words : keywords_.Entries()) words_->addItem(ToQString(words));
  words_->setCurrentIndex(-1);
  words_->lineEdit()->setPlaceholderText(
      QStringLiteral("キーワードをスペースで区切って入力します（例: ノート パソコン）"));
  auto* label = new QLabel(QStringLiteral("キーワード(&S):"));
  label->setBuddy(words_);
  auto* search = new QPushButton(QStringLiteral("検索(&F)"));
  search->setAutoDefault(false);
  connect(search, &QPushButton::clicked, this, &CCategoryReferDialog::Search);
  connect(words_->lineEdit(), &QLineEdit::returnPressed, this, &CCategoryReferDialog::Search);

  results_ = new QTreeWidget;
  results_->setObjectName(QStringLiteral("results"));
  results_->setRootIsDecorated(false);
  results_->setHeaderLabels({QStringLiteral("カテゴリ"), QStringLiteral("番号")});
  results_->header()->setStretchLastSection(false);
  results_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  results_->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
  connect(results_, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* row) { Choose(ItemOf(row)); });
  connect(results_, &QTreeWidget::itemActivated, this,
          [this](QTreeWidgetItem* row) { ChooseAndAccept(ItemOf(row)); });
  resultCount_ = new QLabel;

  auto* grid = new QGridLayout(tab);
  grid->addWidget(label, 0, 0);
  grid->addWidget(words_, 0, 1);
  grid->addWidget(search, 0, 2);
  grid->addWidget(results_, 1, 0, 1, 3);
  grid->addWidget(resultCount_, 2, 0, 1, 3);
  grid->setColumnStretch(1, 1);
  return tab;
}

QWidget* CCategoryReferDialog::BuildTreeTab() {
  tree_ = new QTreeWidget;
  tree_->setObjectName(QStringLiteral("catalogue"));
  tree_->setHeaderHidden(true);
  connect(tree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* row) {
    if (CategoryItem item = ItemOf(row); item.id != 0) Choose(item);
  });
  connect(tree_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* row) {
    if (CategoryItem item = ItemOf(row); item.id != 0 && row->childCount() == 0) {
      ChooseAndAccept(item);
    }
  });
  return tree_;
}

QWidget* CCategoryReferDialog::BuildHistoryTab(const std::vector<CategoryItem>& history) {
  auto* list = new QListWidget;
  list->setObjectName(QStringLiteral("history"));
  for (const CategoryItem& item : history) list->addItem(ListRow(item));
  connect(list, &QListWidget::currentItemChanged, this,
          [this](QListWidgetItem* row) { Choose(ItemOf(row)); });
  connect(list, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* row) { ChooseAndAccept(ItemOf(row)); });
  return list;
}

QWidget* CCategoryReferDialog::BuildBookmarksTab() {
  auto* tab = new QWidget;
  bookmarkList_ = new QListWidget;
  bookmarkList_->setObjectName(QStringLiteral("bookmarks"));
  FillBookmarks();
  connect(bookmarkList_, &QListWidget::currentItemChanged, this,
          [this](QListWidgetItem* row) { Choose(ItemOf(row)); });
  connect(bookmarkList_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* row) { ChooseAndAccept(ItemOf(row)); });
  auto* add = new QPushButton(QStringLiteral("選択中のカテゴリを登録(&A)"));
  add->setToolTip(QStringLiteral("選択中のカテゴリをこの一覧に加えます"));
  connect(add, &QPushButton::clicked, this, &CCategoryReferDialog::AddBookmark);
  auto* remove = new QPushButton(QStringLiteral("削除(&D)"));
  connect(remove, &QPushButton::clicked, this, &CCategoryReferDialog::RemoveBookmark);
  for (QPushButton* button : {add, remove}) button->setAutoDefault(false);
  auto* side = new QVBoxLayout;
  side->addWidget(add);
  side->addWidget(remove);
  side->addStretch(1);
  auto* layout = new QHBoxLayout(tab);
  layout->addWidget(bookmarkList_, 1);
  layout->addLayout(side);
  return tab;
}

QWidget* CCategoryReferDialog::BuildWebTab() {
  webTab_ = new QWidget;
  auto* layout = new QVBoxLayout(webTab_);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* top = new QPushButton(QStringLiteral("トップページ(&T)"));
  top->setAutoDefault(false);
  top->setToolTip(QStringLiteral("カテゴリの一番上のページを表示します"));
  connect(top, &QPushButton::clicked, this, [this] {
    ShowServicePage(QUrl(QString::fromStdString(listingHost_ + std::string(kCategoryStartPath))));
  });
  auto* row = new QHBoxLayout;
  row->addWidget(new QLabel(QStringLiteral("カテゴリ名をクリックすると、そのカテゴリを選択します")),
                 1);
  row->addWidget(top);
  layout->addLayout(row);
  return webTab_;
}

void CCategoryReferDialog::OnTabChanged(int index) {
  if (index == kTreeTab && tree_->topLevelItemCount() == 0) FillTree();
  if (index == kWebTab && !web_) OpenServicePages();
}

void CCategoryReferDialog::FillTree() {
  // Rows by their path; a level that has no line of its own in the catalogue becomes a row
  // without a number, so every category sits under its parents.
  // The tree offers what a search would find: the parts outside the search scope stay out.
  std::map<std::string, QTreeWidgetItem*> rows;
  const std::uint32_t scope = CategorySearchScope(&options_);
  for (int index = 0; index < CCategoryCatalogue::kPartCount; ++index) {
    if (!(scope & (1u << index))) continue;
    const CCategoryPart* part = catalogue_.Part(index);
    if (!part) continue;
    for (const CategoryEntry& entry : part->Entries()) {
      QTreeWidgetItem* parent = nullptr;
      std::size_t start = 0;
      while (true) {
        const std::size_t separator = entry.name.find(" > ", start);
        const std::string path = entry.name.substr(0, separator);
        QTreeWidgetItem*& row = rows[path];
        if (!row) {
          const std::string own = path.substr(start);
          row = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree_);
          row->setText(0, ToQString(own));
        }
        if (separator == std::string::npos) {
          MarkTreeRow(row, entry);
          break;
        }
        parent = row;
        start = separator + 3;
      }
    }
  }
}

void CCategoryReferDialog::FillBookmarks() {
  bookmarkList_->clear();
  for (const CategoryItem& item : bookmarks_.Entries()) bookmarkList_->addItem(ListRow(item));
}

void CCategoryReferDialog::Search() {
  const QString text = words_->currentText().trimmed();
  if (text.isEmpty()) return;
  const std::string utf8 = text.toStdString();
  const CategorySearchResult result =
      SearchCategories(catalogue_, utf8, CategorySearchScope(&options_));
  results_->clear();
  for (const CategoryEntry& entry : result.matches) {
    auto* row = new QTreeWidgetItem(results_);
    row->setText(0, ToQString(entry.name));
    row->setText(1, QString::number(entry.id));
    row->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    MarkTreeRow(row, entry);
  }
  resultCount_->setText(
      result.matches.empty()
          ? QStringLiteral("該当するカテゴリは見つかりませんでした。")
          : QStringLiteral("%1件のカテゴリが見つかりました。").arg(result.matches.size()));
  if (std::optional<std::string> words = FromQString(text)) {
    keywords_.Add(*words);
    words_->clear();
    for (const std::string& entry : keywords_.Entries()) words_->addItem(ToQString(entry));
    words_->setCurrentIndex(0);
  }
  if (!result.complete) ShowMessage(prompt_, IDS_CATEGORY_CATALOGUE_INCOMPLETE);
  if (results_->topLevelItemCount() > 0) results_->setCurrentItem(results_->topLevelItem(0));
}

void CCategoryReferDialog::Choose(const CategoryItem& item) {
  if (item.id <= 0) return;
  chosen_ = item;
  chosenText_->setText(Display(item));
  chosenText_->setCursorPosition(0);
}

void CCategoryReferDialog::ChooseNumber(std::uint32_t id) {
  std::optional<std::string> name = catalogue_.FindCategoryName(id);
  // A category newer than the catalogue is still the seller's choice; it goes by its number.
  if (!name) name = FormatMessageId(IDS_CATEGORY_WEB_NAME, {std::to_string(id)});
  ChooseAndAccept({static_cast<std::int32_t>(id), *name});
}

void CCategoryReferDialog::ChooseAndAccept(const CategoryItem& item) {
  if (item.id <= 0) return;
  Choose(item);
  accept();
}

void CCategoryReferDialog::AddBookmark() {
  if (chosen_.id <= 0) {
    ShowMessage(prompt_, IDS_CATEGORY_NOT_CHOSEN);
    return;
  }
  if (bookmarks_.Add(chosen_)) FillBookmarks();
  bookmarkList_->setCurrentRow(bookmarkList_->count() - 1);
}

void CCategoryReferDialog::RemoveBookmark() {
  const int row = bookmarkList_->currentRow();
  if (row < 0) return;
  bookmarks_.Remove(static_cast<std::size_t>(row));
  FillBookmarks();
}

void CCategoryReferDialog::OpenServicePages() {
  std::string error;
  std::optional<CServiceProfile> profile = ChooseServiceProfile({}, app_, error);
  if (!profile) {
    prompt_.Ask({0, error});
    return;
  }
  listingHost_ = profile->BaseUrl(ServiceRole::Listing);
  if (!session_) {
    ownSession_ = std::make_unique<CNetworkSession>();
    ownSession_->UseProxy(profile->Proxy());
    session_ = ownSession_.get();
  }
  webPage_ = new CCategoryWebPage(this);
  web_ = new QWebEngineView;
  web_->setObjectName(QStringLiteral("servicePages"));
  web_->setPage(webPage_);
  webTab_->layout()->addWidget(web_);
  connect(webPage_, &CCategoryWebPage::CategoryClicked, this, &CCategoryReferDialog::ChooseNumber);
  connect(webPage_, &CCategoryWebPage::PageRequested, this,
          [this](const QUrl& url) { ShowServicePage(url); });

  const std::string start = listingHost_ + std::string(kCategoryStartPath);
  std::string last = app_.GetProfileString(kCategoryDialogSection, kLastPageKey);
  const bool remember = (options_.optionValue & kOptionRememberCategoryPage) != 0;
  const bool resume = remember && !last.empty() && last.starts_with(listingHost_ + "/");
  if (ShowServicePage(QUrl(QString::fromStdString(resume ? last : start))) && resume) {
    const int scrollTop = app_.GetProfileInt(kCategoryDialogSection, kScrollTopKey, 0);
    connect(
        webPage_, &QWebEnginePage::loadFinished, this,
        [this, scrollTop](bool) {
          webPage_->runJavaScript(QStringLiteral("window.scrollTo(0, %1);").arg(scrollTop));
        },
        Qt::SingleShotConnection);
  }
}

bool CCategoryReferDialog::ShowServicePage(const QUrl& url) {
  if (!web_) return false;
  const std::string address = url.toString(QUrl::FullyEncoded).toStdString();
  CDownloadDialog download(*session_, this);
  download.SetRequest(address);
  download.SetMessage(QStringLiteral("カテゴリのページを読み込んでいます..."));
  if (download.exec() != QDialog::Accepted) return false;
  CHttpClient& client = download.Client();
  // The page may have been redirected; its links are relative to where it ended.
  const std::string pageUrl = client.CurrentUrl().empty() ? address : client.CurrentUrl();
  std::optional<std::string> text =
      CategoryPageFileText(client.ResponseText(), client.ResponseCharset(), pageUrl);
  if (!text) {
    ShowMessage(prompt_, IDS_CATEGORY_PAGE_UNREADABLE);
    return false;
  }
  // The browser tells a local page by its extension; without one it would show the markup.
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / (CategoryWorkFileName(pageUrl) + ".htm");
  {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << *text;
    if (!out.flush()) {
      ShowMessage(prompt_, IDS_CATEGORY_PAGE_NOT_SAVED, {file.string()});
      return false;
    }
  }
  if (std::find(workFiles_.begin(), workFiles_.end(), file) == workFiles_.end()) {
    workFiles_.push_back(file);
  }
  shownPage_ = QUrl(QString::fromStdString(pageUrl));
  web_->load(QUrl::fromLocalFile(QString::fromStdString(file.string())));
  return true;
}

void CCategoryReferDialog::SaveServicePlace() {
  if (!web_ || shownPage_.isEmpty()) return;
  app_.WriteProfileString(kCategoryDialogSection, kLastPageKey,
                          shownPage_.toString(QUrl::FullyEncoded).toStdString());
  app_.WriteProfileInt(kCategoryDialogSection, kScrollTopKey,
                       static_cast<int>(webPage_->scrollPosition().y()));
}

void CCategoryReferDialog::done(int result) {
  if (result == QDialog::Accepted && chosen_.id <= 0) {
    ShowMessage(prompt_, IDS_CATEGORY_NOT_CHOSEN);
    return;
  }
  keywords_.Save(app_);
  bookmarks_.Save(app_);
  SaveServicePlace();
  QDialog::done(result);
}

}  // namespace nuvo
