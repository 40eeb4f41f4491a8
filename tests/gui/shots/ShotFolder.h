#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QString>
#include <QWidget>

// Where the pictures go and how they are taken: the folder named by NUVO_SHOTS, in the Japanese
// font a seller's desktop would use when the machine has one. scripts/screenshot --dialogs runs
// the pictures; they are never tests.
namespace nuvo::shots {

inline QString Folder() {
  const QString folder = qEnvironmentVariable("NUVO_SHOTS");
  EXPECT_FALSE(folder.isEmpty()) << "NUVO_SHOTS names no folder";
  return folder;
}

inline void UseJapaneseFont() {
  for (const char* family : {"MS PGothic", "IPAPGothic", "Noto Sans CJK JP"}) {
    if (QFontDatabase::hasFamily(QString::fromUtf8(family))) {
      QApplication::setFont(QFont(QString::fromUtf8(family), 9));
      return;
    }
  }
}

inline void Save(QWidget& widget, const QString& name) {
  EXPECT_TRUE(widget.grab().save(Folder() + QLatin1Char('/') + name)) << name.toStdString();
}

}  // namespace nuvo::shots
