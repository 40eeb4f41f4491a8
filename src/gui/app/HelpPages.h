#pragma once

#include <QString>

#include "core/common/UserPrompt.h"

// The program's help: short Japanese pages installed beside the samples, shown in the system's
// browser. Run from the build tree, the pages of the source tree are shown.
namespace nuvo {

// The file of help page `page` ("index.html", "settings.html"); empty when it cannot be found.
QString HelpPageFile(const QString& page);

// Opens help page `page`, at `anchor` when one is given; false when the page is not installed.
bool ShowHelpPage(const QString& page, const QString& anchor = {});

// Opens help page `page` as above; when it is not installed, tells the seller so through
// `prompt`, naming the page, instead of leaving the button without effect.
void ShowHelpPage(IUserPrompt& prompt, const QString& page, const QString& anchor = {});

}  // namespace nuvo
