#pragma once
// Named colours of the drill as Qt colours. System colours resolve against
// the running style's palette at the moment they are asked for, so a panel
// in clBtnFace looks like the desktop's buttons.
#include "drill/Colour.h"

#include <QColor>

namespace ui {

// clNone has no RGB value; callers handle it before asking (a marked key
// cell is drawn inverted instead of in a colour).
QColor toQColor(drill::Colour colour);

} // namespace ui
