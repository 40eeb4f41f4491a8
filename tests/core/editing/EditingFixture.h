#pragma once

#include <gtest/gtest.h>

#include "core/app/MemorySettings.h"
#include "core/document/NuvoDoc.h"
#include "support/RecordingListener.h"
#include "support/ScriptedPrompt.h"

// A new listing without installed samples, with a recording listener, for command tests.
class EditingTest : public ::testing::Test {
 protected:
  EditingTest() {
    doc.OnNewDocument();
    prompt.requests.clear();  // no sample is installed here
    doc.Listeners().Add(&listener);
  }

  void Run(std::unique_ptr<nuvo::CEditCommand> command) { doc.ExecuteCommand(std::move(command)); }

  nuvo::CMemorySettings settings;
  ScriptedPrompt prompt;
  nuvo::CNuvoDoc doc{settings, prompt};
  RecordingListener listener;
};
