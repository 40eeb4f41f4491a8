#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/common/UserPrompt.h"
#include "core/decorate/DecorateEditor.h"

// The decoration commands of the menus, the tool bar and the editor's shortcuts, acting on one
// editor: what each does, whether it shows checked and whether it is available. The colour and
// link dialogs and the questions to the seller are reached through the interfaces given.
namespace nuvo {

enum DecorateCommandId : int {
  ID_DECO_COPY = 41101,
  ID_DECO_CUT = 41102,
  ID_DECO_PASTE = 41103,
  ID_DECO_BOLD = 41104,
  ID_DECO_ITALIC = 41105,
  ID_DECO_UNDERLINE = 41106,
  ID_DECO_STRIKE = 41107,
  ID_DECO_COLOR = 41108,
  ID_DECO_SIZE_1 = 41109,  // through ID_DECO_SIZE_1 + 6 for the seven levels
  ID_DECO_SIZE_7 = 41115,
  ID_DECO_GROW = 41116,
  ID_DECO_SHRINK = 41117,
  ID_DECO_LINK = 41118,
  ID_DECO_REMOVE_LINK = 41125,
  ID_DECO_CLEAR = 41126,
  ID_DECO_SELECT_ALL = 41127,
  ID_DECO_REDRAW = 41128,
  ID_DECO_CENTRE = 41130,
  ID_DECO_DETECT = 41132,
};

// The dialogs a command opens. nullopt is Cancel.
class IDecorateDialogs {
 public:
  virtual ~IDecorateDialogs() = default;
  // The colour to apply; kStandardColor for the editor's own text colour (no colour attribute).
  static constexpr int kStandardColor = -1;
  virtual std::optional<int> ChooseColor(int initial) = 0;
  // The link address to apply; empty removes the link.
  virtual std::optional<std::string> ChooseLink(const std::string& initial) = 0;
};

class CDecorateCommands {
 public:
  CDecorateCommands(CDecorateEditor& editor, IDecorateDialogs& dialogs, IUserPrompt& prompt)
      : editor_(editor), dialogs_(dialogs), prompt_(prompt) {}

  // Runs a decoration command (41104 to 41132); returns whether it was one.
  bool Run(int id);
  bool IsChecked(int id) const;
  bool IsEnabled(int id) const;
  bool CanGrowSize() const;
  bool CanShrinkSize() const;

  // Proposes each address without a link, in the selection or the whole text, and links those the
  // seller accepts. `show` is called with each address selected before the question. Returns the
  // number linked, -1 when nothing was found, -2 when cancelled.
  int DetectUnlinkedAddresses(const std::function<void()>& show = {});

  // Selects the next match of `find` after the selection's start (or the caret), or the last one
  // before it; false when there is none, and the selection stays.
  bool FindNext(const std::string& find, bool matchCase, bool forward);

  // Replaces every `find` from byte `from` (within the first `limit` bytes when limit > 0).
  // `confirm`, when given, is asked for each match with it selected: Yes replaces, No skips,
  // Cancel stops. A replacement takes the decorations of the first character it replaces.
  // Returns the number of replacements.
  using ReplaceConfirm = std::function<PromptAnswer()>;
  int ReplaceAll(const std::string& find, const std::string& replace, bool matchCase, int from,
                 int limit, const ReplaceConfirm& confirm = {});

 private:
  // The selection the command works on: a line break at either end moves the end one on. Empty
  // without a selection, meaning the pending style.
  std::optional<std::pair<int, int>> CommandRange() const;
  // The starts of the matches of `find` from byte `from`, left to right without overlap, within
  // the first `limit` bytes when limit > 0.
  std::vector<int> FindAll(const std::string& find, bool matchCase, int from, int limit) const;
  bool Toggle(std::uint32_t flag);
  void Apply(std::uint32_t flag, const DecorateValue& value);
  void Remove(std::uint32_t flag);
  void SetLevel(int level);
  void StepSize(int step);
  void ChooseColor();
  void ChooseLink();
  void Clear();
  void Centre();
  // Whether the attribute shows as set: over the whole range, else in the pending or caret style.
  bool IsApplied(std::uint32_t flag) const;
  // The size level at the caret, pending style first.
  int CaretLevel() const;
  // The smallest (or largest) level over [a, b); bytes without a size count as the standard.
  int ExtremeLevel(int a, int b, bool smallest) const;
  // The level every byte of [a, b) has, or 0 when they differ.
  int UniformLevel(int a, int b) const;
  bool IsCentred() const;

  CDecorateEditor& editor_;
  IDecorateDialogs& dialogs_;
  IUserPrompt& prompt_;
};

}  // namespace nuvo
