// Must fail to compile with the drill library's flags: the drill core has no
// Qt include path.
#include <QtCore/QString>
