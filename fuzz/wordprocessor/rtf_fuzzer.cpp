// Feeds arbitrary bytes to the RTF reader and checks the sink contract:
// text is valid UTF-8 without raw line breaks, and the document ends once,
// last. A breach aborts, so libFuzzer keeps the input.
#include "platform/TextDecoding.h"
#include "ui/wordprocessor/RtfReader.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

class CheckingSink : public wordprocessor::rtf::Sink {
public:
    void text(std::string_view utf8, const wordprocessor::rtf::CharacterFormat& format) override {
        require(!ended_ && !utf8.empty() && platform::isValidUtf8(utf8) &&
                utf8.find_first_of("\r\n") == std::string_view::npos &&
                platform::isValidUtf8(format.fontName) && format.halfPoints > 0);
    }
    void paragraphEnd(const wordprocessor::rtf::ParagraphFormat&) override { require(!ended_); }
    void documentEnd(const wordprocessor::rtf::ParagraphFormat&) override {
        require(!ended_);
        ended_ = true;
    }
    bool ended() const { return ended_; }

    static void require(bool condition) {
        if (!condition) {
            std::abort();
        }
    }

private:
    bool ended_ = false;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CheckingSink sink;
    const bool rtf = wordprocessor::rtf::readRtf(bytes, sink);
    CheckingSink::require(rtf == wordprocessor::rtf::isRtf(bytes) && sink.ended() == rtf);
    return 0;
}
