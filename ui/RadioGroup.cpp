#include "ui/RadioGroup.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRadioButton>
#include <algorithm>
#include <cstddef>

namespace ui {
namespace {

// Auto-exclusive buttons keep Tab on the last-focused button rather than
// the checked one; giving only the checked button Tab focus fixes that.
void followCheck(QRadioButton* button, bool checked) {
    button->setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus);
}

} // namespace

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, QWidget* parent)
    : QGroupBox(caption, parent) {
    setAutoFillBackground(true);
    setFocusPolicy(Qt::NoFocus);
    for (const QString& item : items) {
        auto* button = new QRadioButton(item, this);
        button->setAccessibleName(item);
        buttons_.push_back(button);
    }
    if (!buttons_.empty()) {
        buttons_.front()->setChecked(true);
    }
    for (QRadioButton* button : buttons_) {
        followCheck(button, button->isChecked());
        connect(button, &QRadioButton::toggled, this, [this, button](bool checked) {
            followCheck(button, checked);
            // Auto-exclusion has already cleared the old item by the time
            // the new one reports itself checked.
            if (checked) {
                Q_EMIT selectionChanged();
            }
        });
    }
}

int RadioGroup::itemIndex() const {
    const auto at = std::find_if(buttons_.begin(), buttons_.end(),
                                 [](const QRadioButton* b) { return b->isChecked(); });
    return at == buttons_.end() ? -1 : static_cast<int>(at - buttons_.begin());
}

QRadioButton* RadioGroup::itemButton(int index) const {
    return buttons_.at(static_cast<std::size_t>(index));
}

void RadioGroup::resizeEvent(QResizeEvent* event) {
    QGroupBox::resizeEvent(event);
    arrangeItems();
}

void RadioGroup::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const QRect frame = rect().adjusted(0, metrics.height() / 2, -2, -2);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(frame);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(frame.translated(1, 1));
    if (!title().isEmpty()) {
        const QRect caption(8, 0, metrics.horizontalAdvance(title()), metrics.height());
        painter.fillRect(caption, palette().color(QPalette::Window));
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(caption, Qt::AlignLeft | Qt::AlignTop, title());
    }
}

void RadioGroup::arrangeItems() {
    if (buttons_.empty()) {
        return;
    }
    // The items share the space under the caption line in equal rows.
    const int count = static_cast<int>(buttons_.size());
    const int lineHeight = QFontMetrics(font()).height();
    const int space = height() - lineHeight - 5;
    const int rowHeight = space / count;
    const int topMargin = lineHeight + 1 + (space % count) / 2;
    for (int i = 0; i < count; ++i) {
        buttons_[static_cast<std::size_t>(i)]->setGeometry(8, topMargin + i * rowHeight,
                                                           width() - 10, rowHeight);
    }
}

} // namespace ui
