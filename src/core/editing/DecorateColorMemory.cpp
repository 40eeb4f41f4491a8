#include "core/editing/DecorateColorMemory.h"

#include "core/app/DialogSettings.h"

namespace nuvo {
namespace {

int ReadColor(const CDialogSettings& section, const char* key, int fallback) {
  const int value = section.GetDialogInt(key, fallback);
  return value >= 0 && value <= 0xFFFFFF ? value : fallback;
}

}  // namespace

CDecorateColorMemory CDecorateColorMemory::Load(CAppComm& app) {
  const CDialogSettings section(app, kColorDialogId);
  CDecorateColorMemory memory;
  memory.color = ReadColor(section, "Color", memory.color);
  memory.otherColor = ReadColor(section, "OtherColor", memory.otherColor);
  memory.standard = section.GetDialogInt("Standard", 0) != 0;
  return memory;
}

void CDecorateColorMemory::Save(CAppComm& app) const {
  CDialogSettings section(app, kColorDialogId);
  section.WriteDialogInt("Color", color);
  section.WriteDialogInt("OtherColor", otherColor);
  section.WriteDialogInt("Standard", standard ? 1 : 0);
}

}  // namespace nuvo
