#pragma once

#include <QFont>
#include <QString>

// The program's Japanese typeface: the proportional Gothic of Japanese Windows when it is
// installed, else the nearest installed proportional Japanese Gothic.
namespace nuvo {

// The first installed of "MS PGothic" (under either of its names), "IPAPGothic" and
// "Noto Sans CJK JP"; empty when none is.
QString JapaneseFontFamily();

// The font of menus, tool bars and dialogs: that family at the size Japanese programs use.
QFont JapaneseUiFont();

}  // namespace nuvo
