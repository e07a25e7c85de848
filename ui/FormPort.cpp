// TForm1 as the drill's window port: every operation addresses a control by
// its stored name.
#include "ui/Colours.h"
#include "ui/RadioGroup.h"
#include "ui/TextControl.h"
#include "ui/Unit1.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QGroupBox>
#include <stdexcept>

QWidget* TForm1::control(std::string_view name) const {
    const auto at = controls_.find(name);
    return at == controls_.end() ? nullptr : at->second;
}

QWidget& TForm1::named(std::string_view name) const {
    QWidget* widget = control(name);
    if (widget == nullptr) {
        throw std::out_of_range("no control named " + std::string(name));
    }
    return *widget;
}

void TForm1::setCaption(std::string_view control, std::string_view text) {
    QWidget& widget = named(control);
    const QString caption = ui::fromUtf8(text);
    if (auto* textControl = qobject_cast<ui::TextControl*>(&widget)) {
        textControl->setCaption(caption);
    } else if (auto* button = qobject_cast<QAbstractButton*>(&widget)) {
        button->setText(caption);
        button->setAccessibleName(caption);
    } else if (auto* group = qobject_cast<QGroupBox*>(&widget)) {
        group->setTitle(caption);
        group->setAccessibleName(caption);
    } else {
        throw std::invalid_argument("control has no caption: " + std::string(control));
    }
}

std::string TForm1::caption(std::string_view control) const {
    QWidget& widget = named(control);
    if (const auto* textControl = qobject_cast<const ui::TextControl*>(&widget)) {
        return textControl->text().toStdString();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) {
        return button->text().toStdString();
    }
    if (const auto* group = qobject_cast<const QGroupBox*>(&widget)) {
        return group->title().toStdString();
    }
    throw std::invalid_argument("control has no caption: " + std::string(control));
}

void TForm1::setColour(std::string_view control, drill::Colour colour) {
    // Controls without a colour of their own leave the Window role unset
    // and so follow the new colour at once.
    QWidget& widget = named(control);
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, ui::toQColor(colour));
    widget.setPalette(palette);
}

void TForm1::setFontColour(std::string_view keyCell, drill::Colour colour) {
    auto* cell = qobject_cast<ui::TextControl*>(&named(keyCell));
    if (cell == nullptr) {
        throw std::invalid_argument("not a key cell: " + std::string(keyCell));
    }
    if (colour == drill::clNone) {
        cell->setMarked(true);
        return;
    }
    cell->setMarked(false);
    const QColor wanted = ui::toQColor(colour);
    QPalette palette = cell->palette();
    if (palette.color(QPalette::WindowText) != wanted ||
        !palette.isBrushSet(QPalette::Active, QPalette::WindowText)) {
        palette.setColor(QPalette::WindowText, wanted);
        cell->setPalette(palette);
    }
}

void TForm1::setVisible(std::string_view control, bool shown) {
    named(control).setVisible(shown);
}

int TForm1::itemIndex(std::string_view selector) const {
    const auto* group = qobject_cast<const ui::RadioGroup*>(&named(selector));
    if (group == nullptr) {
        throw std::invalid_argument("not a selector: " + std::string(selector));
    }
    return group->itemIndex();
}

void TForm1::paintPendingNow() {
    // Paints only what is already marked dirty; nothing new is marked.
    QCoreApplication::sendPostedEvents(this, QEvent::UpdateRequest);
}
