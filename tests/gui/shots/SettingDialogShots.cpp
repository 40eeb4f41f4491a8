#include <QTabWidget>

#include "ShotFolder.h"
#include "core/app/AppComm.h"
#include "core/app/AppOptions.h"
#include "core/app/MemorySettings.h"
#include "core/common/Encoding.h"
#include "gui/app/OptionsDialog.h"
#include "gui/editing/ImageListDialog.h"
#include "gui/editing/PaidOptionsDialog.h"
#include "gui/editing/ShipServicesDialog.h"
#include "gui/editing/SubmitSettingDialog.h"
#include "support/ScriptedPrompt.h"

using namespace nuvo;

namespace {

// The common submission settings of both forms, page by page, and the option dialogs.
TEST(SettingDialogShots, PicturesOfTheDialogs) {
  shots::UseJapaneseFont();
  CMemorySettings backend;
  CAppComm app{backend};
  ScriptedPrompt prompt;
  for (ESubmitForm form : {ESubmitForm::EasyTrade, ESubmitForm::Normal}) {
    CSubmitSettingDialog dialog(app, prompt, form,
                                form == ESubmitForm::Normal ? CSubmitSettingDialog::EMode::Edit
                                                            : CSubmitSettingDialog::EMode::Confirm);
    dialog.show();
    for (int i = 0; i < dialog.Tabs()->count(); ++i) {
      dialog.Tabs()->setCurrentIndex(i);
      shots::Save(dialog, QStringLiteral("settings-%1-%2.png")
                              .arg(form == ESubmitForm::Normal ? "normal" : "easy")
                              .arg(i));
    }
  }
  COptionsDialog options(app, CAppOptions());
  options.show();
  shots::Save(options, QStringLiteral("options.png"));
  CChargeOptions charges;
  charges.SetFeaturedAmount(50);
  charges.SetIconKind(3);
  CPaidOptionsDialog paid(charges, 1000);
  paid.show();
  shots::Save(paid, QStringLiteral("paid-options.png"));
  CShipSettings shipping;
  shipping.SetServiceFlags(CShipSettings::kTakkyubin | CShipSettings::kHakoboonMini);
  shipping.groupASize = {{60, 1}, {2, 1}};
  CShipServicesDialog services(shipping);
  services.show();
  shots::Save(services, QStringLiteral("ship-services.png"));
  CImageListDialog images(QStringLiteral("インターネット画像の設定"),
                          {{Cp932("ロゴ"), "https://example.com/logo.gif", "https://example.com/",
                            Cp932("ショップのロゴ"), 120, 40, 0, ""}},
                          7, prompt);
  images.show();
  shots::Save(images, QStringLiteral("internet-images.png"));
}

}  // namespace
