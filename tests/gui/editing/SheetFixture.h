#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QWidget>
#include <memory>

#include "core/app/AppComm.h"
#include "core/app/AppOptions.h"
#include "core/app/MemorySettings.h"
#include "core/document/NuvoDoc.h"
#include "gui/editing/NuvoTabsDialog.h"
#include "support/ScriptedPrompt.h"

// The main frame as the listing's edits reach it: change and focus notices go back to the sheet,
// preview requests are counted.
class FrameStandIn : public nuvo::IDocumentListener {
 public:
  void NotifyChanged(std::uint32_t mask, std::int32_t selection) override {
    if (sheet) sheet->UpdateFromDocument(mask, selection);
  }
  void NotifyFocus(std::uint32_t mask) override {
    if (sheet) sheet->FocusField(mask);
  }
  void SchedulePreview(std::uint32_t) override { ++previews; }
  void RefreshMenus() override {}

  nuvo::CNuvoTabsDialog* sheet = nullptr;
  int previews = 0;
};

// A new listing of the normal input (no sample needs to be installed) in an editor sheet.
class SheetTest : public ::testing::Test {
 protected:
  SheetTest() {
    settings.WriteInt("Settings", "DescriptInputType", nuvo::CNuvoDoc::kNormalInput);
    doc = std::make_unique<nuvo::CNuvoDoc>(settings, prompt);
    doc->OnNewDocument();
    prompt.requests.clear();
    doc->Listeners().Add(&frame);
    MakeSheet();
  }

  void MakeSheet(nuvo::ESheetLayout layout = nuvo::ESheetLayout::Tall) {
    sheet = std::make_unique<nuvo::CNuvoTabsDialog>(*doc, prompt, app, options, &frame, layout);
    frame.sheet = sheet.get();
  }

  template <typename T>
  T* Find(const char* name) {
    T* widget = sheet->findChild<T*>(QString::fromUtf8(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  // Types `text` into `box` key by key, as the seller would.
  static void Type(QWidget* box, const QString& text) {
    for (char32_t code : text.toUcs4()) {
      QString character = QString::fromUcs4(&code, 1);
      QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, character);
      QCoreApplication::sendEvent(box, &press);
    }
  }
  static void Press(QWidget* box, Qt::Key key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(box, &press);
  }

  // Lets the title pause run out.
  static void Pause(int ms = 250) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }

  // How many commands the history can undo.
  int UndoDepth() {
    int depth = 0;
    nuvo::CCommandHistory& history = doc->GetCommandHistory();
    while (history.CanUndo()) {
      history.Undo();
      ++depth;
    }
    for (int i = 0; i < depth; ++i) history.Redo();
    return depth;
  }

  nuvo::CMemorySettings settings;
  ScriptedPrompt prompt;
  nuvo::CAppComm app{settings};
  nuvo::CAppOptions options;
  FrameStandIn frame;
  std::unique_ptr<nuvo::CNuvoDoc> doc;
  std::unique_ptr<nuvo::CNuvoTabsDialog> sheet;
};
