#pragma once
// Builds a Qt text document from rich text with our own RTF reader.
//
// Sizes: RTF gives them in points (\fs in half-points); the window is laid
// out in pixels for 96 dpi, so a size becomes a pixel size at 96 dpi
// (12 pt, the RTF default, is the window font's 16 pixels). Indents and
// spacing in twips become pixels the same way (15 twips to the pixel).
#include <QTextDocument>
#include <memory>
#include <string_view>

namespace wordprocessor {

// Returns nullptr when the bytes are not RTF. Throws
// platform::TextDecodingError when the document needs a converter the C
// library lacks; nothing is half-built then, as the document is new.
std::unique_ptr<QTextDocument> documentFromRtf(std::string_view bytes);

} // namespace wordprocessor
