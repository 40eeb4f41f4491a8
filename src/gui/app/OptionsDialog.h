#pragma once

#include <QDialog>
#include <vector>

#include "core/app/AppComm.h"
#include "core/app/AppOptions.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

// "オプション": the program's on/off options of "OptionValue", the photo upload in one request and
// its size limit, the submitting animation and colour, the user agent the program presents, the
// sample folder and whether the main window shows its status bar. It edits a copy of the options;
// the caller takes Options() and StatusBarShown() after OK. The sample folder is written to the
// installation settings on OK. It owns its controls.
namespace nuvo {

class COptionsDialog : public QDialog {
  Q_OBJECT

 public:
  COptionsDialog(CAppComm& app, const CAppOptions& options, bool statusBarShown = true,
                 QWidget* parent = nullptr);

  const CAppOptions& Options() const { return options_; }
  bool StatusBarShown() const { return statusBarShown_; }
  // The check box of option bit `bit`, or null.
  QCheckBox* OptionBox(int bit) const;

  void accept() override;

 private:
  void BrowseSamples();

  CAppComm& app_;
  CAppOptions options_;
  std::vector<std::pair<int, QCheckBox*>> optionBoxes_;
  QComboBox* sizeLimit_;
  QComboBox* animation_;
  QCheckBox* colour_;
  QCheckBox* statusBar_;
  bool statusBarShown_;
  QComboBox* userAgent_;
  QLineEdit* samples_;
};

}  // namespace nuvo
