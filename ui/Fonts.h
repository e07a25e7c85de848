#pragma once
// Every control asks for the one face the layout was made with, at a
// character height in pixels. Where that face is missing (always, on a Linux
// desktop) Qt substitutes the first installed face of a metric-compatible
// list; fontconfig knows no alias for it.
#include <QFont>
#include <QString>

namespace ui {

inline constexpr int kWindowFontHeight = 16;

QString layoutFaceName();
// Registers the substitutes for the layout's face. Process-wide; call once
// before the first window is built (calling again changes nothing).
void installFontSubstitutions();
// The layout's face with `charHeight` pixels of character height. The
// substitutes have no internal leading, so the pixel size is the em.
QFont layoutFont(int charHeight);

} // namespace ui
