#pragma once

#include <QWidget>
#include <array>

#include "core/common/UserPrompt.h"
#include "core/editing/CommonSubmitSettings.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;

// The pages of the common submission settings dialog. Each shows one group of the settings and
// writes it back; none keeps a value of its own, so the settings stay the one record of what the
// seller chose. The pages own their controls.
namespace nuvo {

class CAuctionSubmitSettingBasePage : public QWidget {
  Q_OBJECT

 public:
  CAuctionSubmitSettingBasePage(ESubmitForm form, QWidget* parent) : QWidget(parent), form_(form) {}

  virtual QString Caption() const = 0;
  virtual void Show(const CCommonSubmitSettings& settings) = 0;
  // Writes the page's values into `settings`; false, with the offending box focused and its text
  // selected, when a value cannot be taken.
  virtual bool Store(CCommonSubmitSettings& settings) const = 0;

 protected:
  ESubmitForm Form() const { return form_; }

 private:
  ESubmitForm form_;
};

// Auction length, closing hour, early closing, automatic extension and re-listing.
class CAuctionSubmitSettingBasicBasePage : public CAuctionSubmitSettingBasePage {
  Q_OBJECT

 public:
  CAuctionSubmitSettingBasicBasePage(ESubmitForm form, QWidget* parent);
  QString Caption() const override { return QStringLiteral("基本"); }
  void Show(const CCommonSubmitSettings& settings) override;
  bool Store(CCommonSubmitSettings& settings) const override;

  QSpinBox* DurationBox() const { return duration_; }

 private:
  QSpinBox* duration_;
  QSpinBox* closingTime_;
  QSpinBox* numResubmit_;
  QCheckBox* closeEarly_;
  QCheckBox* autoExtension_;
};

class CAuctionSubmitSettingBidLimitBasePage : public CAuctionSubmitSettingBasePage {
  Q_OBJECT

 public:
  CAuctionSubmitSettingBidLimitBasePage(ESubmitForm form, QWidget* parent);
  QString Caption() const override { return QStringLiteral("入札者制限"); }
  void Show(const CCommonSubmitSettings& settings) override;
  bool Store(CCommonSubmitSettings& settings) const override;

 private:
  QCheckBox* minBidRating_;
  QCheckBox* badRatingRatio_;
  QCheckBox* bidCreditLimit_;
  QCheckBox* salesContract_;
};

class CAuctionSubmitSettingMarkdownBasePage : public CAuctionSubmitSettingBasePage {
  Q_OBJECT

 public:
  CAuctionSubmitSettingMarkdownBasePage(ESubmitForm form, QWidget* parent);
  QString Caption() const override { return QStringLiteral("自動値下げ"); }
  void Show(const CCommonSubmitSettings& settings) override;
  bool Store(CCommonSubmitSettings& settings) const override;

 private:
  QCheckBox* markdown_;
  QComboBox* ratio_;
};

// Payment of the easy-trade form: the service's own settlement only.
class CAuctionSubmitSettingPayEasyTradingBasePage : public CAuctionSubmitSettingBasePage {
  Q_OBJECT

 public:
  CAuctionSubmitSettingPayEasyTradingBasePage(ESubmitForm form, QWidget* parent);
  QString Caption() const override { return QStringLiteral("支払い"); }
  void Show(const CCommonSubmitSettings& settings) override;
  bool Store(CCommonSubmitSettings& settings) const override;

 private:
  QCheckBox* easyPayment_;
};

// Payment of the normal form: the settlement, bank accounts and other ways to pay, each list
// offering what the seller typed before.
class CAuctionSubmitSettingPayNormalSubmitBasePage : public CAuctionSubmitSettingBasePage {
  Q_OBJECT

 public:
  CAuctionSubmitSettingPayNormalSubmitBasePage(ESubmitForm form,
                                               const CSubmitSettingHistory& history,
                                               IUserPrompt& prompt, QWidget* parent);
  QString Caption() const override { return QStringLiteral("支払い"); }
  void Show(const CCommonSubmitSettings& settings) override;
  bool Store(CCommonSubmitSettings& settings) const override;

 private:
  using Boxes = std::array<QComboBox*, CSubmitPaySettings::kMaxEntries>;

  QCheckBox* easyPayment_;
  Boxes banks_{};
  Boxes others_{};
};

class CAuctionSubmitSettingPostBasePage : public CAuctionSubmitSettingBasePage {
  Q_OBJECT

 public:
  CAuctionSubmitSettingPostBasePage(ESubmitForm form, IUserPrompt& prompt, QWidget* parent);
  QString Caption() const override { return QStringLiteral("配送"); }
  void Show(const CCommonSubmitSettings& settings) override;
  bool Store(CCommonSubmitSettings& settings) const override;

 private:
  QRadioButton* buyerPays_;
  QRadioButton* sellerPays_;
  QComboBox* shipTime_;
  QCheckBox* scheduleOn_;
  QComboBox* schedule_;
  QCheckBox* intlOk_;
  QCheckBox* ypkOk_;
  QComboBox* prefecture_;
  QLineEdit* city_;
};

class CAuctionSubmitSettingReturnPolicyBasePage : public CAuctionSubmitSettingBasePage {
  Q_OBJECT

 public:
  CAuctionSubmitSettingReturnPolicyBasePage(ESubmitForm form, IUserPrompt& prompt, QWidget* parent);
  QString Caption() const override { return QStringLiteral("返品"); }
  void Show(const CCommonSubmitSettings& settings) override;
  bool Store(CCommonSubmitSettings& settings) const override;

 private:
  QCheckBox* accepted_;
  QLineEdit* note_;
};

}  // namespace nuvo
