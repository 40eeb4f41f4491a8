#pragma once

#include <QDialog>
#include <filesystem>
#include <vector>

#include "core/batch/BatchFileList.h"

class QLabel;
class QMenu;
class QPushButton;
class QSpinBox;
class QTreeWidget;

// The window "一括自動出品" in which the seller collects the listing files of a batch: added
// with the file dialog, a folder with its subfolders, or dropped from the file manager, then
// ordered and pruned. It owns the file list only while it is open; OK hands it to the run.
namespace nuvo {

class CAppComm;
class IUserPrompt;

class CBatchSubmitDialog : public QDialog {
  Q_OBJECT

 public:
  // `finalConfirmationOn`: the option that shows the final confirmation of a single submission,
  // which the notice line says a batch goes without.
  CBatchSubmitDialog(CAppComm& comm, IUserPrompt& prompt, bool finalConfirmationOn,
                     QWidget* parent = nullptr);

  const std::vector<std::filesystem::path>& Files() const { return list_.Paths(); }
  // Remembers the wait between two submissions.
  void accept() override;

  // The file and folder commands, also reachable from the list's context menu.
  void AddFiles(const std::vector<std::filesystem::path>& files);
  void AddFolder(const std::filesystem::path& folder);
  void RemoveSelected();
  void MoveSelected(int step);

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ChooseFiles();
  void ChooseFolder();
  void ShowHelp();
  void Show(int messageId);
  void Refill(int selected);
  void UpdateButtons();
  QPushButton* Button(const QString& caption, const QString& toolTip);

  CAppComm& comm_;
  IUserPrompt& prompt_;
  CBatchFileList list_;
  QTreeWidget* view_;
  QLabel* count_;
  QSpinBox* wait_;
  QPushButton* remove_;
  QPushButton* up_;
  QPushButton* down_;
  QMenu* menu_;
};

}  // namespace nuvo
