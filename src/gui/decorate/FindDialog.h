#pragma once

#include <QDialog>
#include <QPointer>
#include <optional>
#include <string>

#include "core/app/AppComm.h"
#include "core/common/UserPrompt.h"
#include "core/editing/FindHistory.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

// The find and replace dialog of the decorated editors: finds the next or the previous match in
// the editor that had the focus, or replaces every match there. Its box offers the texts searched
// for before, read when it opens and written back when it closes. Links the editor, the prompt
// and the settings; owns its controls.
namespace nuvo {

class CDecorateEditView;

class CFindDialog : public QDialog {
  Q_OBJECT

 public:
  // `replace` shows the replacement row and its button.
  CFindDialog(CDecorateEditView* editor, bool replace, CAppComm& app, IUserPrompt& prompt,
              QWidget* parent = nullptr);

  // Finds the latest searched text again in `editor`, as F3 and Shift+F3 do; false when there is
  // nothing to search for or no match, which `prompt` tells.
  static bool FindAgain(CDecorateEditView* editor, bool forward, CAppComm& app,
                        IUserPrompt& prompt);

  void done(int result) override;

 private:
  // The text in the find box, refused with a message when empty or not writable in the listing.
  std::optional<std::string> FindText();
  void Find(bool forward);
  void ReplaceAll();

  QPointer<CDecorateEditView> editor_;
  CAppComm& app_;
  IUserPrompt& prompt_;
  CFindHistory history_;
  QComboBox* find_;
  QLineEdit* replace_;
  QCheckBox* matchCase_;
};

}  // namespace nuvo
