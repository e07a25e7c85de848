#include "ui/SvgImage.h"

#include <QFile>
#include <QPainter>

namespace ui {

SvgImage::SvgImage(const QString& resourcePath, QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
    // Checked first so a missing picture stays quiet instead of warning.
    if (QFile::exists(resourcePath)) {
        renderer_.load(resourcePath);
    }
    renderer_.setAspectRatioMode(Qt::IgnoreAspectRatio);
}

void SvgImage::paintEvent(QPaintEvent*) {
    if (!renderer_.isValid()) {
        return;
    }
    QPainter painter(this);
    renderer_.render(&painter, QRectF(rect()));
}

} // namespace ui
