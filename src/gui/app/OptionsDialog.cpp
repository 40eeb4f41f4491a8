#include "gui/app/OptionsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/app/OptionBits.h"
#include "core/submit/SubmitSettings.h"
#include "gui/app/HelpPages.h"
#include "gui/common/MessageBoxPrompt.h"
#include "gui/common/QtText.h"

namespace nuvo {
namespace {

struct OptionText {
  int bit;
  const char* text;
};

// In the order a seller meets them: while editing, before submitting, after submitting.
constexpr OptionText kConfirmations[] = {
    {kOptionWarnLargePhotos, "データサイズが1メガを超える写真を追加時に警告する(&P)"},
    {kOptionWarnMachineDependentChars, "機種依存文字を警告する(&M)"},
    {kOptionWarnEmptyItems, "空の項目を警告する(&E)"},
    {kOptionDetectUnlinkedAddresses, "ハイパーリンクが設定されていないアドレスを検出する(&I)"},
    {kOptionConfirmPaidOptions, "有料オプションが設定されているときに確認メッセージを表示する(&O)"},
    {kOptionConfirmMarkdown, "自動値下げが設定されているときに確認メッセージを表示する(&K)"},
    {kOptionWarnCashOnDelivery,
     "出品者送料負担の設定で送料が「着払い」になっているときに警告する(&V)"},
    {kOptionShowFinalConfirmation, "最終確認ダイアログを表示する(&F)"},
    {kOptionShowCompletionMessage, "完了メッセージを表示する(&L)"},
};
constexpr OptionText kOthers[] = {
    {kOptionRememberCategoryPage,
     "Webページからカテゴリを選択したときに最後に開いたページを記憶する(&C)"},
    {kOptionUploadPhotosTogether, "写真をまとめてアップロードする(&A)"},
};

}  // namespace

COptionsDialog::COptionsDialog(CAppComm& app, const CAppOptions& options, bool statusBarShown,
                               QWidget* parent)
    : QDialog(parent), app_(app), options_(options), statusBarShown_(statusBarShown) {
  setWindowTitle(QStringLiteral("オプション"));
  auto* layout = new QVBoxLayout(this);
  const auto addBoxes = [&](QGroupBox* group, const auto& texts) {
    auto* inner = new QVBoxLayout(group);
    for (const OptionText& option : texts) {
      auto* box = new QCheckBox(QString::fromUtf8(option.text));
      box->setChecked(options_.optionValue & option.bit);
      inner->addWidget(box);
      optionBoxes_.emplace_back(option.bit, box);
    }
    return inner;
  };
  auto* confirmations = new QGroupBox(QStringLiteral("確認と警告"));
  addBoxes(confirmations, kConfirmations);
  layout->addWidget(confirmations);

  auto* submitting = new QGroupBox(QStringLiteral("出品"));
  QVBoxLayout* submittingLayout = addBoxes(submitting, kOthers);
  auto* form = new QFormLayout;
  sizeLimit_ = new QComboBox;
  for (std::int64_t bytes : CSubmitSettings::kUploadSizeLimits) {
    sizeLimit_->addItem(QStringLiteral("%1メガバイト").arg(bytes / 1'000'000));
  }
  sizeLimit_->setCurrentIndex(options_.upaaoDataSizeLimit);
  sizeLimit_->setToolTip(
      QStringLiteral("まとめてアップロードするときの、1回に送る写真のデータサイズの上限です"));
  form->addRow(QStringLiteral("まとめて送るデータサイズの上限(&S):"), sizeLimit_);
  QCheckBox* together = OptionBox(kOptionUploadPhotosTogether);
  sizeLimit_->setEnabled(together->isChecked());
  connect(together, &QCheckBox::toggled, sizeLimit_, &QWidget::setEnabled);
  animation_ = new QComboBox;
  animation_->addItems({QStringLiteral("表示しない"), QStringLiteral("表示する")});
  animation_->setCurrentIndex(options_.submittingAnim != 0 ? 1 : 0);
  form->addRow(QStringLiteral("出品中のアニメーション(&N):"), animation_);
  colour_ = new QCheckBox(QStringLiteral("出品中のウィンドウを黄緑色で表示する(&G)"));
  colour_->setChecked(options_.submittingColour != 0);
  form->addRow(colour_);
  userAgent_ = new QComboBox;
  userAgent_->addItems({QStringLiteral("ブラウザと同じユーザーエージェント"),
                        QStringLiteral("ぬぼ独自のユーザーエージェント")});
  userAgent_->setCurrentIndex(options_.userAgentSettingType);
  form->addRow(QStringLiteral("ページへのアクセス(&U):"), userAgent_);
  submittingLayout->addLayout(form);
  layout->addWidget(submitting);

  auto* windowGroup = new QGroupBox(QStringLiteral("ウィンドウ"));
  auto* windowLayout = new QVBoxLayout(windowGroup);
  statusBar_ = new QCheckBox(QStringLiteral("ステータスバーを表示する(&B)"));
  statusBar_->setChecked(statusBarShown_);
  windowLayout->addWidget(statusBar_);
  layout->addWidget(windowGroup);

  auto* samplesGroup = new QGroupBox(QStringLiteral("ぬぼ型サンプルのフォルダ"));
  auto* samplesLayout = new QHBoxLayout(samplesGroup);
  samples_ = new QLineEdit(ToQString(app_.GetInstallationString("Samples")));
  auto* browse = new QPushButton(QStringLiteral("参照(&R)..."));
  connect(browse, &QPushButton::clicked, this, &COptionsDialog::BrowseSamples);
  samplesLayout->addWidget(samples_);
  samplesLayout->addWidget(browse);
  layout->addWidget(samplesGroup);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel |
                                       QDialogButtonBox::RestoreDefaults | QDialogButtonBox::Help);
  buttons->button(QDialogButtonBox::Help)->setText(QStringLiteral("ヘルプ(&H)"));
  connect(buttons, &QDialogButtonBox::helpRequested, this, [this] {
    CMessageBoxPrompt prompt(this);
    ShowHelpPage(prompt, QStringLiteral("settings.html"), QStringLiteral("options"));
  });
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
  QPushButton* defaults = buttons->button(QDialogButtonBox::RestoreDefaults);
  defaults->setText(QStringLiteral("初期設定に戻す(&D)"));
  connect(defaults, &QPushButton::clicked, this, [this] {
    for (const auto& [bit, box] : optionBoxes_) box->setChecked(kOptionValueDefault & bit);
  });
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

QCheckBox* COptionsDialog::OptionBox(int bit) const {
  for (const auto& [boxBit, box] : optionBoxes_) {
    if (boxBit == bit) return box;
  }
  return nullptr;
}

void COptionsDialog::BrowseSamples() {
  const QString folder =
      QFileDialog::getExistingDirectory(this, QStringLiteral("フォルダの選択"), samples_->text());
  if (!folder.isEmpty()) samples_->setText(folder);
}

void COptionsDialog::accept() {
  // Bits that no box shows keep their value.
  for (const auto& [bit, box] : optionBoxes_) {
    options_.optionValue =
        box->isChecked() ? options_.optionValue | bit : options_.optionValue & ~bit;
  }
  options_.upaaoDataSizeLimit = sizeLimit_->currentIndex();
  options_.submittingAnim = animation_->currentIndex();
  options_.submittingColour = colour_->isChecked() ? 1 : 0;
  statusBarShown_ = statusBar_->isChecked();
  options_.userAgentSettingType = userAgent_->currentIndex();
  if (const auto folder = FromQString(samples_->text().trimmed())) {
    app_.WriteInstallationString("Samples", *folder);
  }
  QDialog::accept();
}

}  // namespace nuvo
