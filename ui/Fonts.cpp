#include "ui/Fonts.h"

#include <QStringList>

namespace ui {

QString layoutFaceName() {
    return QString::fromUtf8("ＭＳ Ｐゴシック");
}

void installFontSubstitutions() {
    // First the face that matches the layout's metrics, then the closest
    // proportional Japanese Gothic faces a Debian desktop may have.
    static const QStringList substitutes{
        QStringLiteral("IPAPGothic"),       QStringLiteral("IPAexGothic"),
        QStringLiteral("Noto Sans CJK JP"), QStringLiteral("VL PGothic"),
        QStringLiteral("TakaoPGothic"),
    };
    if (QFont::substitutes(layoutFaceName()) != substitutes) {
        QFont::removeSubstitutions(layoutFaceName());
        QFont::insertSubstitutions(layoutFaceName(), substitutes);
    }
}

QFont layoutFont(int charHeight) {
    QFont font(layoutFaceName());
    font.setPixelSize(charHeight);
    font.setStyleStrategy(QFont::PreferDefault);
    return font;
}

} // namespace ui
