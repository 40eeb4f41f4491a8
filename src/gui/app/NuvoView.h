#pragma once

#include <QWidget>
#include <cstdint>

#include "core/document/DocumentListener.h"

// The listing's editing pane. It hosts the editor sheet in which the listing is filled in and
// passes the document's change notices on to it. Until a sheet is given the pane stays empty.
// The sheet widget becomes the pane's child; the listener is a non-owning link (normally the
// sheet itself).
namespace nuvo {

class CNuvoView : public QWidget {
  Q_OBJECT

 public:
  explicit CNuvoView(QWidget* parent = nullptr);

  // Puts `sheet` into the pane in place of any earlier one, which is deleted.
  void SetSheet(QWidget* sheet, IDocumentListener* listener);
  QWidget* Sheet() const { return sheet_; }

  // The sheet re-reads the parts named by `mask`.
  void OnUpdate(std::uint32_t mask, std::int32_t selection = kNoSelection);
  // The sheet brings forward the control of the part named by `mask`.
  void OnFocus(std::uint32_t mask);
  // The sheet re-reads every part, as after a listing is opened.
  void OnInitialUpdate() { OnUpdate(change::kEverything); }

 private:
  QWidget* sheet_ = nullptr;
  IDocumentListener* listener_ = nullptr;
};

}  // namespace nuvo
