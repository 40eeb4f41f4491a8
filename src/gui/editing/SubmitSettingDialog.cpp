#include "gui/editing/SubmitSettingDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "gui/app/HelpPages.h"
#include "gui/editing/AuctionSubmitSettingPages.h"

namespace nuvo {

CSubmitSettingDialog::CSubmitSettingDialog(CAppComm& app, IUserPrompt& prompt, ESubmitForm form,
                                           EMode mode, QWidget* parent)
    : QDialog(parent), app_(app), settings_(form) {
  settings_.Load(app);
  history_.Load(app);
  const QString formName = form == ESubmitForm::EasyTrade ? QStringLiteral("かんたん取引出品")
                                                          : QStringLiteral("通常出品");
  setWindowTitle(mode == EMode::Confirm ? QStringLiteral("出品共通設定の確認 ＜%1＞").arg(formName)
                                        : QStringLiteral("出品共通設定 ＜%1＞").arg(formName));
  auto* layout = new QVBoxLayout(this);
  if (mode == EMode::Confirm) {
    auto* note = new QLabel(
        QStringLiteral("次の設定で出品します。内容を確認して「この設定で出品」を押してください。"));
    note->setWordWrap(true);
    layout->addWidget(note);
  }
  tabs_ = new QTabWidget;
  pages_ = {new CAuctionSubmitSettingBasicBasePage(form, tabs_),
            new CAuctionSubmitSettingBidLimitBasePage(form, tabs_),
            new CAuctionSubmitSettingMarkdownBasePage(form, tabs_)};
  if (form == ESubmitForm::EasyTrade) {
    pages_.push_back(new CAuctionSubmitSettingPayEasyTradingBasePage(form, tabs_));
  } else {
    pages_.push_back(
        new CAuctionSubmitSettingPayNormalSubmitBasePage(form, history_, prompt, tabs_));
  }
  pages_.push_back(new CAuctionSubmitSettingPostBasePage(form, prompt, tabs_));
  pages_.push_back(new CAuctionSubmitSettingReturnPolicyBasePage(form, prompt, tabs_));
  for (CAuctionSubmitSettingBasePage* page : pages_) {
    page->Show(settings_);
    tabs_->addTab(page, page->Caption());
  }
  layout->addWidget(tabs_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel |
                                       QDialogButtonBox::Help);
  buttons->button(QDialogButtonBox::Ok)
      ->setText(mode == EMode::Confirm ? QStringLiteral("この設定で出品(&S)")
                                       : QStringLiteral("OK"));
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
  buttons->button(QDialogButtonBox::Help)->setText(QStringLiteral("ヘルプ(&H)"));
  // Each form's settings have a section of their own on the help page.
  const QString helpAnchor =
      form == ESubmitForm::EasyTrade ? QStringLiteral("easy-trade") : QStringLiteral("normal");
  connect(buttons, &QDialogButtonBox::helpRequested, this, [&prompt, helpAnchor] {
    ShowHelpPage(prompt, QStringLiteral("submit-settings.html"), helpAnchor);
  });
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

void CSubmitSettingDialog::accept() {
  CCommonSubmitSettings edited = settings_;
  for (CAuctionSubmitSettingBasePage* page : pages_) {
    if (!page->Store(edited)) {
      tabs_->setCurrentWidget(page);
      page->Store(edited);  // puts the focus back into the box the tab switch moved it from
      return;
    }
  }
  settings_ = edited;
  settings_.Save(app_);
  history_.Remember(settings_.pay);
  history_.Save(app_);
  QDialog::accept();
}

}  // namespace nuvo
