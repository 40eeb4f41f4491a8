#pragma once

#include <QDialog>

class QButtonGroup;

// The page-access settings ("ページアクセスの設定"): which user agent the program presents to
// the auction service and in the embedded browser. It edits the setting's value (0 the
// browser's agent, 1 the program's own) and owns only its controls.
namespace nuvo {

class CPageAccessDialog : public QDialog {
  Q_OBJECT

 public:
  CPageAccessDialog(int userAgentSetting, QWidget* parent);

  int UserAgentSetting() const;

 private:
  QButtonGroup* choices_;
};

}  // namespace nuvo
