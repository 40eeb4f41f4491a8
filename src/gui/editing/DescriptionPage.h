#pragma once

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

#include "gui/editing/SheetPage.h"

class QButtonGroup;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QVBoxLayout;

// The description page: the choice of input type ("ぬぼ型 + 通常入力", "通常入力", "HTML入力"),
// the page design of the template input, and for each description block of the current input
// type a decorated editor, or a plain text box for HTML input. The boxes are made as the listing
// needs them and kept for the page's life, since the undo history links to them.
namespace nuvo {

class CDecorateDialogs;
class CDecorateEditView;
class CDecorateHistory;
class CTextBoxLink;

class CDescriptionPage : public CSheetPage {
  Q_OBJECT

 public:
  CDescriptionPage(const SheetContext& context, QWidget* parent);
  ~CDescriptionPage() override;

  void UpdateFromDocument(std::uint32_t mask) override;
  bool ShowFinding(const CSubmitFinding& finding) override;

 private:
  struct Block {
    QLabel* label;
    QPlainTextEdit* box;
    CTextBoxLink* link;
    CDecorateEditView* decorated;
    std::unique_ptr<CDecorateHistory> history;
  };

  void LoadSamples();
  void OnInputType(int type);
  void OnSample(int index);
  Block& BlockAt(std::size_t index);
  void StoreDecorated(std::size_t index);

  QButtonGroup* inputTypes_;
  QLabel* sampleLabel_;
  QComboBox* samples_;
  QVBoxLayout* blockLayout_;
  std::unique_ptr<CDecorateDialogs> dialogs_;
  std::vector<Block> blocks_;
  bool updating_ = false;
};

}  // namespace nuvo
