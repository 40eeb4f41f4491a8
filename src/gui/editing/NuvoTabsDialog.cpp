#include "gui/editing/NuvoTabsDialog.h"

#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QTabWidget>
#include <QUrl>

#include "core/common/MessageIds.h"
#include "core/document/ListingRules.h"
#include "core/net/CategoryHistory.h"
#include "core/net/CategorySearch.h"
#include "gui/app/BundledCategories.h"
#include "gui/common/QtText.h"
#include "gui/editing/BuyNowDialog.h"
#include "gui/editing/ConditionDialog.h"
#include "gui/editing/DescriptionPage.h"
#include "gui/editing/ItemListPage.h"
#include "gui/editing/PhotoPage.h"
#include "gui/editing/ShipPage.h"
#include "gui/editing/TextBoxLink.h"
#include "gui/editing/TitleText.h"
#include "gui/net/CategoryReferDialog.h"

namespace nuvo {
namespace {

QLabel* BuddyLabel(const QString& text, QWidget* buddy) {
  auto* label = new QLabel(text);
  label->setBuddy(buddy);
  return label;
}

// Lays out widgets side by side without margins, as one cell of the sheet's grid.
QWidget* Row(std::initializer_list<QWidget*> widgets, int stretchAfter = -1) {
  auto* row = new QWidget;
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(4);
  int index = 0;
  for (QWidget* widget : widgets) {
    layout->addWidget(widget);
    if (index++ == stretchAfter) layout->addStretch(1);
  }
  return row;
}

// The category box keeps each entry's number and name as data and shows the number where the
// name is not known, as for a category the catalogue does not list.
constexpr int kCategoryNameRole = Qt::UserRole + 1;

void InsertCategory(QComboBox& box, int index, const CategoryItem& item) {
  const QString name = ToQString(item.name);
  box.insertItem(index, name.isEmpty() ? QString::number(item.id) : name, item.id);
  box.setItemData(index, name, kCategoryNameRole);
}

CategoryItem CategoryAt(const QComboBox& box, int index) {
  return {box.itemData(index).toInt(),
          FromQString(box.itemData(index, kCategoryNameRole).toString()).value_or(std::string())};
}

}  // namespace

ESheetLayout SheetLayoutFor(int previewPos) {
  return previewPos == 0 || previewPos == 1 ? ESheetLayout::Tall : ESheetLayout::Wide;
}

CNuvoTabsDialog::CNuvoTabsDialog(CNuvoDoc& doc, IUserPrompt& prompt, CAppComm& app,
                                 const CAppOptions& options, IDocumentListener* listener,
                                 ESheetLayout layout, QWidget* parent)
    : QWidget(parent), context_{doc, prompt, listener, app, options} {
  titleTimer_.setSingleShot(true);
  titleTimer_.setInterval(kTitlePauseMs);
  connect(&titleTimer_, &QTimer::timeout, this, &CNuvoTabsDialog::CommitTitle);
  BuildControls();
  BuildPages();
  Arrange(layout);
  setAcceptDrops(true);
  LoadCategoryHistory();
  UpdateFromDocument(change::kEverything);
}

CNuvoTabsDialog::~CNuvoTabsDialog() {
  titleTimer_.stop();
  SaveCategoryHistory();
  // The history's typing records point at this sheet's text boxes, which go with it.
  context_.doc.GetCommandHistory().Clear();
}

void CNuvoTabsDialog::BuildControls() {
  title_ = new QLineEdit;
  title_->setObjectName(QStringLiteral("title"));
  titleLabel_ = BuddyLabel(QStringLiteral("タイトル(&T)"), title_);
  LeaveUndoToTheListing(title_);
  connect(title_, &QLineEdit::textChanged, this, &CNuvoTabsDialog::OnTitleEdited);
  titleLength_ = new QLabel;
  titleLength_->setObjectName(QStringLiteral("titleLength"));
  titleLength_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  titleLength_->setMinimumWidth(
      titleLength_->fontMetrics().horizontalAdvance(QStringLiteral("00.5文字")));
  titleLength_->setToolTip(QStringLiteral("タイトルの文字数（全角で数えます）"));

  category_ = new QComboBox;
  category_->setObjectName(QStringLiteral("category"));
  // Editable so that a category can be given by its number.
  category_->setEditable(true);
  category_->setInsertPolicy(QComboBox::NoInsert);
  category_->lineEdit()->setPlaceholderText(QStringLiteral("（カテゴリ未選択）"));
  category_->setToolTip(
      QStringLiteral("出品するカテゴリを設定します\n最近使ったカテゴリから選ぶか、カテゴリ番号を"
                     "入力します\n右クリックで「カテゴリ選択」を開きます"));
  category_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(category_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    QMenu menu;
    menu.addAction(QStringLiteral("カテゴリ選択(&G)..."), QKeySequence(Qt::CTRL | Qt::Key_G), this,
                   &CNuvoTabsDialog::SelectCategory);
    menu.exec(category_->mapToGlobal(at));
  });
  connect(category_->lineEdit(), &QLineEdit::editingFinished, this,
          &CNuvoTabsDialog::OnCategoryTyped);
  category_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  category_->setMinimumContentsLength(16);
  categoryLabel_ = BuddyLabel(QStringLiteral("カテゴリ(&G)"), category_);
  connect(category_, &QComboBox::activated, this, &CNuvoTabsDialog::OnCategoryActivated);

  salesFormat_ = new QComboBox;
  salesFormat_->setObjectName(QStringLiteral("salesFormat"));
  for (const char* text : {"オークション形式", "定額", "定額 + 値下げ交渉"}) {
    salesFormat_->addItem(QString::fromUtf8(text));
  }
  salesFormat_->setToolTip(QStringLiteral("販売形式を選択します"));
  salesFormatLabel_ = BuddyLabel(QStringLiteral("販売形式(&L)"), salesFormat_);
  connect(salesFormat_, &QComboBox::currentIndexChanged, this,
          &CNuvoTabsDialog::OnSalesFormatChanged);

  quantity_ = new QSpinBox;
  quantity_->setObjectName(QStringLiteral("quantity"));
  quantity_->setRange(static_cast<int>(kQuantityRange.low), static_cast<int>(kQuantityRange.high));
  // One command for a typed number, not one for each of its digits.
  quantity_->setKeyboardTracking(false);
  quantity_->setAlignment(Qt::AlignRight);
  quantity_->setToolTip(QStringLiteral("個数を1～99で設定します"));
  quantityLabel_ = BuddyLabel(QStringLiteral("個数(&Q)"), quantity_);
  connect(quantity_, &QSpinBox::valueChanged, this, &CNuvoTabsDialog::OnQuantityChanged);

  startPrice_ = new QLineEdit;
  startPrice_->setObjectName(QStringLiteral("startPrice"));
  startPrice_->setValidator(new QRegularExpressionValidator(
      QRegularExpression(QStringLiteral("[0-9]{0,10}")), startPrice_));
  startPrice_->setAlignment(Qt::AlignRight);
  startPrice_->setMinimumWidth(startPrice_->fontMetrics().horizontalAdvance(QStringLiteral("0")) *
                               12);
  startPrice_->setToolTip(QStringLiteral("開始価格を円単位で入力します"));
  startPriceLabel_ = BuddyLabel(QStringLiteral("開始価格(&P)"), startPrice_);
  connect(startPrice_, &QLineEdit::textChanged, this, &CNuvoTabsDialog::OnStartPriceChanged);

  buyNowButton_ = new QPushButton(QStringLiteral("即決(&B)..."));
  buyNowButton_->setObjectName(QStringLiteral("buyNow"));
  buyNowButton_->setToolTip(QStringLiteral("即決価格を設定します"));
  connect(buyNowButton_, &QPushButton::clicked, this, &CNuvoTabsDialog::OnBuyNow);
  buyNowPrice_ = new QLabel;
  buyNowPrice_->setObjectName(QStringLiteral("buyNowPrice"));

  conditionButton_ = new QPushButton(QStringLiteral("状態(&S)..."));
  conditionButton_->setObjectName(QStringLiteral("conditionButton"));
  conditionButton_->setToolTip(QStringLiteral("商品の状態を設定します"));
  connect(conditionButton_, &QPushButton::clicked, this, &CNuvoTabsDialog::OnCondition);
  condition_ = new QLabel;
  condition_->setObjectName(QStringLiteral("condition"));
  conditionRemark_ = new QLineEdit;
  conditionRemark_->setObjectName(QStringLiteral("conditionRemark"));
  conditionRemark_->setReadOnly(true);
  conditionRemark_->setFocusPolicy(Qt::NoFocus);
  retiredNote_ = new QLabel(QStringLiteral("↑状態「中古」、「その他」、備考は2019/01で廃止"));
  retiredNote_->setWordWrap(true);

  tabs_ = new QTabWidget;
  tabs_->setObjectName(QStringLiteral("pages"));
}

void CNuvoTabsDialog::BuildPages() {
  auto add = [this](CSheetPage* page, const QString& label) {
    pages_.push_back(page);
    tabs_->addTab(page, label);
    connect(page, &CSheetPage::listingReplaced, this,
            [this] { UpdateFromDocument(change::kEverything); });
  };
  add(new CDescriptionPage(context_, this), QStringLiteral("商品説明"));
  add(new CPhotoPage(context_, this), QStringLiteral("写真"));
  add(new CItemListPage(context_, ERowList::Pay, this), QStringLiteral("支払い"));
  add(new CShipPage(context_, this), QStringLiteral("発送"));
  add(new CItemListPage(context_, ERowList::Other, this), QStringLiteral("その他"));
}

void CNuvoTabsDialog::Arrange(ESheetLayout layout) {
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(6, 6, 6, 6);
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(4);
  QWidget* price = Row({startPrice_, new QLabel(QStringLiteral("円"))});
  QWidget* buyNow = Row({buyNowButton_, new QLabel(QStringLiteral("（")), buyNowPrice_,
                         new QLabel(QStringLiteral("円）"))},
                        3);
  QWidget* condition = Row({conditionButton_, condition_, conditionRemark_}, 2);
  if (layout == ESheetLayout::Tall) {
    grid->addWidget(titleLabel_, 0, 0);
    grid->addWidget(title_, 0, 1, 1, 3);
    grid->addWidget(titleLength_, 0, 4);
    grid->addWidget(categoryLabel_, 1, 0);
    grid->addWidget(category_, 1, 1, 1, 4);
    grid->addWidget(salesFormatLabel_, 2, 0);
    grid->addWidget(salesFormat_, 2, 1);
    grid->addWidget(quantityLabel_, 2, 2, Qt::AlignRight);
    grid->addWidget(quantity_, 2, 3, 1, 2, Qt::AlignLeft);
    grid->addWidget(startPriceLabel_, 3, 0);
    grid->addWidget(price, 3, 1);
    grid->addWidget(buyNow, 3, 2, 1, 3);
    grid->addWidget(condition, 4, 0, 1, 5);
    grid->addWidget(retiredNote_, 5, 0, 1, 5);
    grid->addWidget(tabs_, 6, 0, 1, 5);
    grid->setRowStretch(6, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    setMinimumSize(360, 520);
  } else {
    grid->addWidget(titleLabel_, 0, 0);
    grid->addWidget(title_, 0, 1, 1, 5);
    grid->addWidget(titleLength_, 0, 6);
    grid->addWidget(categoryLabel_, 0, 7);
    grid->addWidget(category_, 0, 8);
    grid->addWidget(salesFormatLabel_, 1, 0);
    grid->addWidget(salesFormat_, 1, 1);
    grid->addWidget(quantityLabel_, 1, 2);
    grid->addWidget(quantity_, 1, 3);
    grid->addWidget(startPriceLabel_, 1, 4);
    grid->addWidget(price, 1, 5);
    grid->addWidget(buyNow, 1, 6, 1, 2);
    grid->addWidget(condition, 1, 8);
    retiredNote_->setWordWrap(false);
    grid->addWidget(retiredNote_, 2, 8);
    grid->addWidget(tabs_, 3, 0, 1, 9);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(5, 1);
    grid->setColumnStretch(8, 2);
    setMinimumSize(720, 420);
  }
}

void CNuvoTabsDialog::UpdateFromDocument(std::uint32_t mask, std::int32_t selection) {
  const CNuvoDoc& doc = context_.doc;
  updating_ = true;
  if (mask & change::kTitle) {
    titleTimer_.stop();
    std::string title = doc.GetTitle();
    titleShown_ = ToQString(title);
    title_->setText(titleShown_);
    if (selection != kNoSelection) {
      auto bits = static_cast<std::uint32_t>(selection);
      int start = CharPosition(title, bits & 0xFFFF);
      int end = CharPosition(title, bits >> 16);
      title_->setSelection(start, end - start);
    } else {
      title_->setCursorPosition(0);  // a long title shows its beginning
    }
    ShowTitleLength(title);
  }
  if (mask & change::kSalesFormat) {
    salesFormat_->setCurrentIndex(doc.GetSalesFormat());
    SuitPricesToFormat();
  }
  if (mask & change::kStartPrice) startPrice_->setText(QString::number(doc.GetStartPrice()));
  if (mask & change::kBuyNowPrice) ShowBuyNowPrice();
  if (mask & change::kQuantity) quantity_->setValue(doc.GetQuantity());
  if (mask & change::kCategory) ShowCategory();
  if (mask & change::kCondition) ShowCondition();
  for (CSheetPage* page : pages_) page->UpdateFromDocument(mask);
  updating_ = false;
}

void CNuvoTabsDialog::FocusField(std::uint32_t mask) {
  QWidget* field = nullptr;
  switch (mask) {
    case change::kTitle:
      field = title_;
      break;
    case change::kStartPrice:
      field = startPrice_;
      break;
    case change::kQuantity:
      field = quantity_;
      break;
    case change::kCategory:
      field = category_;
      break;
    default:
      return;
  }
  field->setFocus(Qt::OtherFocusReason);
}

void CNuvoTabsDialog::SchedulePreview(std::uint32_t flags) {
  if (context_.listener) context_.listener->SchedulePreview(flags);
}

void CNuvoTabsDialog::RefreshMenus() {
  if (context_.listener) context_.listener->RefreshMenus();
}

void CNuvoTabsDialog::OnTitleEdited() {
  if (updating_) return;
  QString text = title_->text();
  if (std::optional<char32_t> refused = FindUnrepresentable(text)) {
    int cursor = title_->cursorPosition() - static_cast<int>(text.size() - titleShown_.size());
    updating_ = true;
    title_->setText(titleShown_);
    title_->setCursorPosition(std::max(0, cursor));
    updating_ = false;
    RefuseCharacter(context_.prompt, *refused);
    return;
  }
  titleShown_ = text;
  ShowTitleLength(*FromQString(text));
  titleTimer_.start();
}

void CNuvoTabsDialog::CommitTitle() {
  std::string typed = FromQString(title_->text()).value_or(std::string());
  CleanedTitle cleaned = CleanTitle(typed);
  if (int message = cleaned.MessageId()) {
    int cursor = title_->cursorPosition();
    updating_ = true;
    titleShown_ = ToQString(cleaned.text);
    title_->setText(titleShown_);
    title_->setCursorPosition(std::min(cursor, static_cast<int>(titleShown_.size())));
    updating_ = false;
    ShowTitleLength(cleaned.text);
    ShowMessage(context_.prompt, message);
  }
  if (cleaned.text == context_.doc.GetTitle()) return;
  QString shown = title_->text();
  int start = title_->hasSelectedText() ? title_->selectionStart() : title_->cursorPosition();
  int end = title_->hasSelectedText() ? title_->selectionEnd() : start;
  std::int32_t selection = PackSelection(static_cast<std::uint16_t>(ByteOffset(shown, start)),
                                         static_cast<std::uint16_t>(ByteOffset(shown, end)));
  context_.doc.ExecuteCommand(MakeSetTitleCommand(context_.doc, cleaned.text, selection));
}

void CNuvoTabsDialog::ShowTitleLength(const std::string& title) {
  title_->setToolTip(
      ToQString(TitleLengthTip(title)).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  QString count = QString::number(title.size() / 2);
  if (title.size() % 2) count += QStringLiteral(".5");
  titleLength_->setText(count + QStringLiteral("文字"));
}

void CNuvoTabsDialog::OnSalesFormatChanged(int index) {
  if (updating_ || index < 0) return;
  SuitPricesToFormat();
  if (index == context_.doc.GetSalesFormat()) return;
  context_.doc.ExecuteCommand(MakeSetSalesFormatCommand(context_.doc, index));
}

void CNuvoTabsDialog::SuitPricesToFormat() {
  // A fixed price is the start price alone: buying at once is what a fixed price is.
  bool auction = salesFormat_->currentIndex() == 0;
  buyNowButton_->setEnabled(auction);
  buyNowPrice_->setEnabled(auction);
  startPriceLabel_->setText(auction ? QStringLiteral("開始価格(&P)")
                                    : QStringLiteral("販売価格(&P)"));
}

void CNuvoTabsDialog::OnStartPriceChanged(const QString& text) {
  if (updating_) return;
  std::int64_t yen = text.toLongLong();
  if (yen == context_.doc.GetStartPrice()) return;
  context_.doc.ExecuteCommand(MakeSetStartPriceCommand(context_.doc, yen));
}

void CNuvoTabsDialog::OnQuantityChanged(int value) {
  if (updating_) return;
  if (!kQuantityRange.Holds(value)) {
    updating_ = true;
    quantity_->setValue(context_.doc.GetQuantity());
    updating_ = false;
    return;
  }
  if (value == context_.doc.GetQuantity()) return;
  context_.doc.ExecuteCommand(MakeSetQuantityCommand(context_.doc, value));
}

void CNuvoTabsDialog::OnCategoryActivated(int index) {
  if (updating_ || index < 0) return;
  const CategoryItem chosen = CategoryAt(*category_, index);
  ApplyCategory({chosen.id, chosen.name});
}

void CNuvoTabsDialog::OnCategoryTyped() {
  if (updating_) return;
  const std::optional<std::uint32_t> id =
      ParseCategoryNumber(category_->lineEdit()->text().toStdString());
  // Text that is no number, or the number the box shows already, is no choice: the box shows the
  // listing's category again.
  if (id && static_cast<std::int32_t>(*id) != context_.doc.GetCategoryId()) {
    if (std::optional<std::string> name = BundledCatalogue().FindCategoryName(*id)) {
      ApplyCategory({static_cast<std::int32_t>(*id), *name});
    } else {
      ShowMessage(context_.prompt, IDS_CATEGORY_NOT_IN_CATALOGUE, {std::to_string(*id)});
    }
  }
  updating_ = true;
  ShowCategory();
  updating_ = false;
}

void CNuvoTabsDialog::SelectCategory() {
  std::vector<CategoryItem> history;
  for (int i = 0; i < category_->count(); ++i) history.push_back(CategoryAt(*category_, i));
  CCategoryReferDialog dialog(context_.app, context_.options, BundledCatalogue(), context_.prompt,
                              std::move(history),
                              {context_.doc.GetCategoryId(), context_.doc.GetCategoryName()}, this);
  if (dialog.exec() != QDialog::Accepted) return;
  ApplyCategory({dialog.Chosen().id, dialog.Chosen().name});
}

void CNuvoTabsDialog::ApplyCategory(const CategoryChoice& category) {
  const CNuvoDoc& doc = context_.doc;
  if (category.id == doc.GetCategoryId() && category.name == doc.GetCategoryName()) return;
  context_.doc.ExecuteCommand(MakeSetCategoryCommand(context_.doc, category));
  bool wasUpdating = updating_;
  updating_ = true;
  ShowCategory();
  updating_ = wasUpdating;
}

void CNuvoTabsDialog::ShowCategory() {
  const CNuvoDoc& doc = context_.doc;
  if (doc.GetCategoryId() == 0) {
    category_->setCurrentIndex(-1);
    category_->setEditText(QString());
    return;
  }
  // The listing's category heads the history, which keeps the most recent first.
  const CategoryItem current{doc.GetCategoryId(), doc.GetCategoryName()};
  for (int i = 0; i < category_->count(); ++i) {
    if (CategoryAt(*category_, i) == current) {
      category_->removeItem(i);
      break;
    }
  }
  InsertCategory(*category_, 0, current);
  while (category_->count() > CCategoryHistory::kMaxEntries)
    category_->removeItem(category_->count() - 1);
  category_->setCurrentIndex(0);
}

void CNuvoTabsDialog::LoadCategoryHistory() {
  CCategoryHistory history;
  history.Load(context_.app);
  for (const CategoryItem& item : history.Entries()) {
    InsertCategory(*category_, category_->count(), item);
  }
}

void CNuvoTabsDialog::SaveCategoryHistory() {
  CCategoryHistory history;
  for (int i = category_->count() - 1; i >= 0; --i) {
    history.Add(CategoryAt(*category_, i));
  }
  history.Save(context_.app);
}

void CNuvoTabsDialog::OnBuyNow() {
  CBuyNowDialog dialog(context_.doc.GetStartPrice(), context_.doc.GetBuyNowPrice(), this);
  if (dialog.exec() != QDialog::Accepted) return;
  std::int64_t price = dialog.BuyNowPrice();
  if (price == context_.doc.GetBuyNowPrice()) return;
  context_.doc.ExecuteCommand(MakeSetBuyNowPriceCommand(context_.doc, price));
  ShowBuyNowPrice();
}

void CNuvoTabsDialog::ShowBuyNowPrice() {
  std::int64_t price = context_.doc.GetBuyNowPrice();
  buyNowPrice_->setText(price > 0 ? QLocale(QLocale::Japanese).toString(price)
                                  : QStringLiteral("---"));
}

void CNuvoTabsDialog::OnCondition() {
  CConditionDialog dialog(context_.doc.GetCondition(), context_.prompt, this);
  if (dialog.exec() != QDialog::Accepted) return;
  CItemCondition chosen = dialog.Condition();
  if (chosen == context_.doc.GetCondition()) return;
  context_.doc.ExecuteCommand(MakeSetConditionCommand(context_.doc, chosen));
  ShowCondition();
}

void CNuvoTabsDialog::ShowCondition() {
  const CItemCondition& condition = context_.doc.GetCondition();
  condition_->setText(ToQString(CItemCondition::KindText(condition.GetKind())));
  conditionRemark_->setText(ToQString(condition.GetRemark()));
  conditionRemark_->setVisible(!condition.GetRemark().empty());
}

void CNuvoTabsDialog::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CNuvoTabsDialog::dropEvent(QDropEvent* event) {
  QStringList paths;
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) paths << url.toLocalFile();
  }
  auto* page = qobject_cast<CSheetPage*>(tabs_->currentWidget());
  if (!paths.isEmpty() && page && page->DropFiles(paths)) event->acceptProposedAction();
}

}  // namespace nuvo
