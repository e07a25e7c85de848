#include "ui/wordprocessor/RtfToDocument.h"

#include "ui/wordprocessor/RtfReader.h"

#include <QColor>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <cmath>

namespace wordprocessor {
namespace {

constexpr double kTwipsPerPixel = 15.0; // 1440 twips per inch at 96 pixels per inch

int pixelsOfHalfPoints(int halfPoints) {
    // half-points / 2 = points; points * 96 / 72 = pixels
    return std::max(1, static_cast<int>(std::lround(halfPoints * 2.0 / 3.0)));
}

QColor toQColor(const rtf::Colour& c) {
    return QColor(c.red, c.green, c.blue);
}

QTextCharFormat toCharFormat(const rtf::CharacterFormat& f) {
    QTextCharFormat format;
    if (!f.fontName.empty()) {
        format.setFontFamilies(QStringList{QString::fromStdString(f.fontName)});
    }
    format.setProperty(QTextFormat::FontPixelSize, pixelsOfHalfPoints(f.halfPoints));
    format.setFontWeight(f.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(f.italic);
    format.setFontUnderline(f.underline);
    format.setFontStrikeOut(f.strikeOut);
    if (f.foreground) {
        format.setForeground(toQColor(*f.foreground));
    }
    if (f.background) {
        format.setBackground(toQColor(*f.background));
    }
    switch (f.vertical) {
    case rtf::VerticalPosition::Normal:
        break;
    case rtf::VerticalPosition::Superscript:
        format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
        break;
    case rtf::VerticalPosition::Subscript:
        format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
        break;
    }
    return format;
}

QTextBlockFormat toBlockFormat(const rtf::ParagraphFormat& f) {
    QTextBlockFormat format;
    switch (f.alignment) {
    case rtf::Alignment::Left:
        format.setAlignment(Qt::AlignLeft);
        break;
    case rtf::Alignment::Right:
        format.setAlignment(Qt::AlignRight);
        break;
    case rtf::Alignment::Centre:
        format.setAlignment(Qt::AlignHCenter);
        break;
    case rtf::Alignment::Justify:
        format.setAlignment(Qt::AlignJustify);
        break;
    }
    format.setLeftMargin(f.leftIndentTwips / kTwipsPerPixel);
    format.setRightMargin(f.rightIndentTwips / kTwipsPerPixel);
    format.setTextIndent(f.firstLineIndentTwips / kTwipsPerPixel);
    format.setTopMargin(f.spaceBeforeTwips / kTwipsPerPixel);
    format.setBottomMargin(f.spaceAfterTwips / kTwipsPerPixel);
    return format;
}

class DocumentSink : public rtf::Sink {
public:
    // One edit block for the whole build: the document then announces the
    // change once, not once per run.
    explicit DocumentSink(QTextDocument& document) : cursor_(&document) {
        cursor_.beginEditBlock();
    }
    ~DocumentSink() override { cursor_.endEditBlock(); }
    DocumentSink(const DocumentSink&) = delete;
    DocumentSink& operator=(const DocumentSink&) = delete;

    void text(std::string_view utf8, const rtf::CharacterFormat& format) override {
        // Runs mostly repeat the format just used; convert it once.
        if (!haveFormat_ || !(format == lastFormat_)) {
            lastFormat_ = format;
            lastCharFormat_ = toCharFormat(format);
            haveFormat_ = true;
        }
        cursor_.insertText(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())),
                           lastCharFormat_);
    }
    void paragraphEnd(const rtf::ParagraphFormat& format) override {
        cursor_.setBlockFormat(toBlockFormat(format));
        cursor_.insertBlock();
    }
    void documentEnd(const rtf::ParagraphFormat& format) override {
        cursor_.setBlockFormat(toBlockFormat(format));
    }

private:
    QTextCursor cursor_;
    rtf::CharacterFormat lastFormat_;
    QTextCharFormat lastCharFormat_;
    bool haveFormat_ = false;
};

} // namespace

std::unique_ptr<QTextDocument> documentFromRtf(std::string_view bytes) {
    if (!rtf::isRtf(bytes)) {
        return nullptr;
    }
    auto document = std::make_unique<QTextDocument>();
    document->setUndoRedoEnabled(false); // building is no edit the learner could undo
    {
        DocumentSink sink(*document);
        rtf::readRtf(bytes, sink);
    }
    return document;
}

} // namespace wordprocessor
