// Must compile with the drill library's flags, so that a failure of the Qt
// probe means a missing Qt path and not broken flags.
#include "drill/Drill.h"
#include "drill/KeyCells.h"
