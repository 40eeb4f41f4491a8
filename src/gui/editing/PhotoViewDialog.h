#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>
#include <vector>

// "画像を表示": shows one photo of the listing at its own size, scrolled when it is larger than
// the screen allows.
namespace nuvo {

class CPhotoViewDialog : public QDialog {
  Q_OBJECT

 public:
  CPhotoViewDialog(const std::vector<std::uint8_t>& data, const QString& name,
                   QWidget* parent = nullptr);
};

}  // namespace nuvo
