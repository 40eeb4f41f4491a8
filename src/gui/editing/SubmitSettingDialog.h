#pragma once

#include <QDialog>
#include <vector>

#include "core/app/AppComm.h"
#include "core/common/UserPrompt.h"
#include "core/editing/CommonSubmitSettings.h"

class QTabWidget;

// "出品共通設定": the common submission settings in tab pages, for the normal or the easy-trade
// form. Opened from the menu it edits the settings; in its confirmation form it is shown before
// a submission and its OK goes on to submit with what it shows. Either way OK stores the settings
// and the payment history; Cancel leaves them as they were. It owns its pages.
namespace nuvo {

class CAuctionSubmitSettingBasePage;

class CSubmitSettingDialog : public QDialog {
  Q_OBJECT

 public:
  enum class EMode { Edit, Confirm };

  CSubmitSettingDialog(CAppComm& app, IUserPrompt& prompt, ESubmitForm form, EMode mode,
                       QWidget* parent = nullptr);

  // The settings as the dialog holds them; after OK, what was stored.
  const CCommonSubmitSettings& Settings() const { return settings_; }
  QTabWidget* Tabs() const { return tabs_; }

  void accept() override;

 private:
  CAppComm& app_;
  CCommonSubmitSettings settings_;
  CSubmitSettingHistory history_;
  QTabWidget* tabs_;
  std::vector<CAuctionSubmitSettingBasePage*> pages_;
};

}  // namespace nuvo
