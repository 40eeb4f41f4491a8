#pragma once

#include "core/app/AppComm.h"

// What the decorated editor's colour dialog remembers between runs, in its own settings section:
// the colour chosen last, the colour last picked with "その他(&O)...", and whether the standard
// colour was the last choice. A value.
namespace nuvo {

// The colour dialog, for its settings section.
inline constexpr int kColorDialogId = 22100;

struct CDecorateColorMemory {
  int color = 0x0000FF;  // red, the colour sellers reach for first
  int otherColor = 0xFFFFFF;
  bool standard = false;

  // Colours are 0x00BBGGRR; a stored value outside that takes the default.
  static CDecorateColorMemory Load(CAppComm& app);
  void Save(CAppComm& app) const;
};

}  // namespace nuvo
