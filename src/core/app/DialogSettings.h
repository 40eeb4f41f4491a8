#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/app/AppComm.h"

// The remembered values of one dialog: the section "Dialog\" followed by the dialog's resource id
// in decimal ("Dialog\509"). A small value that links to the application's settings; a dialog
// makes one whenever it reads or writes, or keeps one for its lifetime.
namespace nuvo {

// The section that holds the values of the dialog with resource id `resourceId`.
std::string DialogSection(int resourceId);

class CDialogSettings {
 public:
  CDialogSettings(CAppComm& app, int resourceId) : app_(app), section_(DialogSection(resourceId)) {}

  int GetDialogInt(const std::string& key, int defaultValue) const;
  std::string GetDialogString(const std::string& key, const std::string& defaultValue = {}) const;
  bool WriteDialogInt(const std::string& key, int value);
  bool WriteDialogString(const std::string& key, const std::string& value);

  // Reads the numbered texts `keyFormat` with 1, 2, ... ("FindString%02d") into `list`. A count
  // of -1 reads as many as `list` holds; otherwise `list` is resized to `count`, and a count
  // below 1 fails. The first empty text ends the list: every later element is left empty, even
  // when later keys still hold text. Succeeds when at least one element was read.
  bool GetDialogStringList(std::string_view keyFormat, std::vector<std::string>& list, int count,
                           const std::string& defaultValue = {}) const;
  // Writes `count` numbered texts (a negative count: as many as `list` holds). Numbers beyond the
  // end of `list` get `filler`, which blanks what a longer list left there earlier.
  bool WriteDialogStringList(std::string_view keyFormat, const std::vector<std::string>& list,
                             int count, const std::string& filler = {});

 private:
  CAppComm& app_;
  std::string section_;
};

// The same operations for code that holds only the application and the dialog's resource id.
int GetDialogInt(CAppComm& app, int resourceId, const std::string& key, int defaultValue);
std::string GetDialogString(CAppComm& app, int resourceId, const std::string& key,
                            const std::string& defaultValue = {});
bool WriteDialogInt(CAppComm& app, int resourceId, const std::string& key, int value);
bool WriteDialogString(CAppComm& app, int resourceId, const std::string& key,
                       const std::string& value);
bool GetDialogStringList(CAppComm& app, int resourceId, std::string_view keyFormat,
                         std::vector<std::string>& list, int count,
                         const std::string& defaultValue = {});
bool WriteDialogStringList(CAppComm& app, int resourceId, std::string_view keyFormat,
                           const std::vector<std::string>& list, int count,
                           const std::string& filler = {});

}  // namespace nuvo
