#include "ui/FormBuilder.h"

#include "drill/KeyCells.h"
#include "ui/Colours.h"
#include "ui/Fonts.h"
#include "ui/RadioGroup.h"
#include "ui/StoredForm.h"
#include "ui/SvgImage.h"
#include "ui/TextControl.h"
#include "ui/wordprocessor/RichEdit.h"

#include <QApplication>
#include <QFile>
#include <QFrame>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSvgRenderer>
#include <stdexcept>
#include <vector>

namespace ui {
namespace {

constexpr int kGlyphSize = 18;

Qt::Alignment alignmentOf(TextAlign align) {
    switch (align) {
    case TextAlign::Right:
        return Qt::AlignRight | Qt::AlignTop;
    case TextAlign::Centre:
        return Qt::AlignHCenter | Qt::AlignTop;
    case TextAlign::Left:
        break;
    }
    return Qt::AlignLeft | Qt::AlignTop;
}

bool isSurface(ControlKind kind) {
    return kind == ControlKind::Label || kind == ControlKind::Image;
}

void setOwnColour(QWidget& widget, drill::Colour colour) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, toQColor(colour));
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

void setFontColour(QWidget& widget, drill::Colour colour) {
    // The window text colour is what the palette already inherits; setting
    // it explicitly would stop the control from following a style change.
    if (colour == drill::clWindowText) {
        return;
    }
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, toQColor(colour));
    widget.setPalette(palette);
}

// The close glyph, drawn at the screen's pixel density; Qt derives the
// greyed twin for the disabled state from it.
QIcon closeGlyph(const QString& resourcePath) {
    QSvgRenderer renderer;
    if (!QFile::exists(resourcePath) || !renderer.load(resourcePath)) {
        return {};
    }
    const qreal ratio = qApp->devicePixelRatio();
    QPixmap pixmap(QSize(kGlyphSize, kGlyphSize) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(0, 0, kGlyphSize, kGlyphSize));
    return QIcon(pixmap);
}

QPushButton* makeButton(const StoredControl& row, QWidget* parent) {
    auto* button = new QPushButton(fromUtf8(row.caption), parent);
    // Focus on a click, never by Tab; neither Enter nor Escape presses it.
    button->setFocusPolicy(Qt::ClickFocus);
    button->setAutoDefault(false);
    button->setDefault(false);
    // Drawn in the platform's button colours whatever its container: the
    // style derives the outline from the Window role, which a coloured
    // panel would otherwise pass down.
    QPalette palette = button->palette();
    palette.setColor(QPalette::Window, QApplication::palette().color(QPalette::Window));
    button->setPalette(palette);
    if (row.kind == ControlKind::BitButton) {
        button->setIcon(closeGlyph(fromUtf8(row.extra)));
        button->setIconSize(QSize(kGlyphSize, kGlyphSize));
    }
    return button;
}

TextControl* makeText(ControlKind kind, Sizing sizing, TextAlign align, const QString& caption,
                      QWidget* parent) {
    const bool staticText = kind == ControlKind::StaticText;
    auto* text = new TextControl(parent, sizing == Sizing::AutoSize, staticText ? 2 : 0);
    text->setAlignment(alignmentOf(align));
    text->setCaption(caption);
    return text;
}

QWidget* makeControl(const StoredControl& row, QWidget* parent) {
    const QString caption = fromUtf8(row.caption);
    switch (row.kind) {
    case ControlKind::StaticText:
    case ControlKind::Label:
        return makeText(row.kind, row.sizing, row.align, caption, parent);
    case ControlKind::Panel: {
        auto* panel = new QFrame(parent);
        panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
        panel->setLineWidth(1);
        return panel;
    }
    case ControlKind::PushButton:
    case ControlKind::BitButton:
        return makeButton(row, parent);
    case ControlKind::RadioGroup:
        return new RadioGroup(caption, fromUtf8(row.extra).split(QLatin1Char('\n')), parent);
    case ControlKind::Image:
        return new SvgImage(fromUtf8(row.extra), parent);
    case ControlKind::RichEdit: {
        auto* editor = new TRichEdit(parent);
        editor->setFocusPolicy(Qt::StrongFocus);
        return editor;
    }
    }
    throw std::logic_error("unknown control kind");
}

void applyCommon(QWidget& widget, const StoredControl& row) {
    widget.setObjectName(fromUtf8(row.name));
    widget.setGeometry(row.left, row.top, row.width, row.height);
    if (row.fontHeight != 0) {
        widget.setFont(layoutFont(row.fontHeight));
    }
    // Panels always have a colour; a control without one follows its
    // container because its palette's Window role stays unset.
    if (row.colour) {
        if (row.kind == ControlKind::RichEdit) {
            QPalette palette = widget.palette();
            palette.setColor(QPalette::Base, toQColor(*row.colour));
            widget.setPalette(palette);
        } else {
            setOwnColour(widget, *row.colour);
        }
    } else if (row.kind == ControlKind::Panel) {
        setOwnColour(widget, drill::clBtnFace);
    }
    setFontColour(widget, row.fontColour);
    if (row.handCursor) {
        widget.setCursor(Qt::PointingHandCursor);
    }
    if (!row.hint.empty()) {
        widget.setToolTip(fromUtf8(row.hint));
    }
    if (!row.caption.empty()) {
        widget.setAccessibleName(fromUtf8(row.caption));
    }
    if (auto* text = qobject_cast<TextControl*>(&widget);
        text != nullptr && row.sizing == Sizing::AutoSize) {
        text->fitToText();
    }
    widget.setVisible(row.visible);
}

void addKeyCells(QWidget& panel, ControlMap& controls) {
    for (const drill::KeyCell& cell : drill::keyCells()) {
        auto* text = new TextControl(&panel, false, 0);
        text->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        text->setObjectName(fromUtf8(cell.name));
        text->setGeometry(cell.left, cell.top, cell.width, cell.height);
        // The blank cells have no font of their own.
        if (cell.charHeight != 0) {
            text->setFont(layoutFont(cell.charHeight));
        }
        setOwnColour(*text, cell.colour);
        text->setCaption(fromUtf8(cell.caption));
        text->setVisible(cell.shownAtStart);
        controls.emplace(std::string(cell.name), text);
    }
}

} // namespace

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

ControlMap buildStoredForm(QWidget& client) {
    ControlMap controls;
    controls.emplace(std::string(kFormName), &client);
    std::vector<QWidget*> surfaces;
    for (const StoredControl& row : storedForm()) {
        const auto container = controls.find(row.container);
        if (container == controls.end()) {
            throw std::logic_error("stored form: container listed after its contents");
        }
        QWidget* widget = makeControl(row, container->second);
        applyCommon(*widget, row);
        controls.emplace(std::string(row.name), widget);
        if (isSurface(row.kind)) {
            surfaces.push_back(widget);
        }
        // The key cells lie above the drawing and the motto of Panel1.
        if (row.name == "Panel1") {
            addKeyCells(*widget, controls);
        }
    }
    // Lowering the latest first leaves the surface group at the bottom of
    // each container in creation order, under every windowed sibling.
    for (auto it = surfaces.rbegin(); it != surfaces.rend(); ++it) {
        (*it)->lower();
    }
    return controls;
}

} // namespace ui
