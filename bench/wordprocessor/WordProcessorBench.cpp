// Times Load on a 10 MB CP932 text and a 5 MB RTF file, both made here,
// beside QTextEdit::setPlainText of the same text already decoded. Run it on
// the offscreen platform: QT_QPA_PLATFORM=offscreen bench_wordprocessor
// Targets: the text in under 1 s; the RTF in under twice its plain time.
// Each time includes laying the document out in the editor.
#include "bench/BenchFigure.h"
#include "platform/TextDecoding.h"
#include "ui/wordprocessor/FileLoading.h"
#include "ui/wordprocessor/RichEdit.h"
#include "ui/wordprocessor/RtfToDocument.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <iconv.h>
#include <stdexcept>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

// The best of a few runs: what the code can reach, not the machine's noise.
double bestSeconds(int runs, const std::function<void()>& step) {
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        step();
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return best;
}

std::string toCp932(const std::string& utf8) {
    iconv_t cd = iconv_open("CP932", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        throw std::runtime_error("no CP932 encoder");
    }
    std::string out(utf8.size() * 2, '\0');
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* o = out.data();
    std::size_t outLeft = out.size();
    const std::size_t result = iconv(cd, &in, &inLeft, &o, &outLeft);
    iconv_close(cd);
    if (result == static_cast<std::size_t>(-1)) {
        throw std::runtime_error("sample not encodable in CP932");
    }
    out.resize(out.size() - outLeft);
    return out;
}

const std::string kLine =
    "タッチタイピングの練習をしましょう。Touch typing 123 ｶﾀｶﾅ 表示ソフト①\r\n";

std::string makeText(std::size_t bytes) {
    const std::string line = toCp932(kLine);
    std::string text;
    text.reserve(bytes + line.size());
    while (text.size() < bytes) {
        text += line;
    }
    return text;
}

// Paragraphs of the same line, every non-ASCII byte written as \'hh the way
// word processors do, with a format change every few words.
std::string makeRtf(std::size_t bytes) {
    const std::string line = toCp932(kLine.substr(0, kLine.size() - 2));
    std::string escaped;
    for (const char c : line) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80 && c != '\\' && c != '{' && c != '}') {
            escaped += c;
        } else {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\'%02x", b);
            escaped += hex;
        }
    }
    const std::string wraps[] = {"{\\b ", "{\\i ", "{\\cf1 ", "{\\fs28 ", "{\\ul "};
    std::string rtf = "{\\rtf1\\ansi\\ansicpg932\\deff0{\\fonttbl{\\f0\\fnil\\fcharset128 Gothic;}}"
                      "{\\colortbl;\\red200\\green0\\blue0;}\\pard\\fs24\r\n";
    std::size_t n = 0;
    const std::size_t third = escaped.size() / 3;
    while (rtf.size() < bytes) {
        rtf += escaped.substr(0, third) + wraps[n++ % 5] + escaped.substr(third, third) + "}" +
               escaped.substr(2 * third) + "\\par\r\n";
    }
    return rtf + "}";
}

void writeFile(const QString& path, const std::string& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size())) {
        throw std::runtime_error("cannot write the sample");
    }
}

// Until the editor has painted the text's start, as on screen. The editor
// lays the rest out in steps while the program goes on.
void settle(TRichEdit& editor) {
    QApplication::processEvents();
    (void)editor.viewport()->grab();
}

// Until the whole document is laid out.
void layOutFully(TRichEdit& editor) {
    settle(editor);
    (void)editor.document()->documentLayout()->documentSize();
}

struct Timing {
    double shown;   // until the start of the text is painted
    double laidOut; // until the whole document is laid out
};

constexpr int kRuns = 3;

Timing timeBoth(TRichEdit& editor, const std::function<void()>& fill) {
    return {bestSeconds(kRuns,
                        [&] {
                            fill();
                            settle(editor);
                        }),
            bestSeconds(kRuns, [&] {
                fill();
                layOutFully(editor);
            })};
}

void printCase(const std::string& title, const char* load, const Timing& ours, const char* plain,
               const Timing& base) {
    std::printf("\n%-46s %10s %10s\n", title.c_str(), "shown", "laid out");
    std::printf("  %-44s %9.3fs %9.3fs\n", load, ours.shown, ours.laidOut);
    std::printf("  %-44s %9.3fs %9.3fs\n", plain, base.shown, base.laidOut);
    std::printf("  %-44s %10.2f %10.2f\n", "ratio", ours.shown / base.shown,
                ours.laidOut / base.laidOut);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir dir;
    TRichEdit editor;
    editor.resize(547, 375);
    editor.show();

    const QString textPath = dir.filePath(QStringLiteral("big.txt"));
    const std::string textBytes = makeText(10'000'000);
    writeFile(textPath, textBytes);
    const QString decodedText = QString::fromStdString(platform::decodePlainText(textBytes));
    const QString rtfPath = dir.filePath(QStringLiteral("big.rtf"));
    const std::string rtfBytes = makeRtf(5'000'000);
    writeFile(rtfPath, rtfBytes);
    const QString rtfText = wordprocessor::documentFromRtf(rtfBytes)->toPlainText();

    std::printf("best of %d runs; the editor is %dx%d on the %s platform\n", kRuns, editor.width(),
                editor.height(), qPrintable(QGuiApplication::platformName()));
    std::printf("  %-44s %9.3fs\n", "decode 10 MB CP932 to UTF-8 (iconv)",
                bestSeconds(kRuns, [&] { (void)platform::decodePlainText(textBytes); }));
    std::printf("  %-44s %9.3fs\n", "read 5 MB RTF into a detached document",
                bestSeconds(kRuns, [&] { (void)wordprocessor::documentFromRtf(rtfBytes); }));

    const Timing textLoad =
        timeBoth(editor, [&] { editor.replaceDocument(wordprocessor::loadDocument(textPath)); });
    const Timing textPlain = timeBoth(editor, [&] { editor.setPlainText(decodedText); });
    printCase("10 MB CP932 text", "Load (read, decode, build, swap)", textLoad,
              "QTextEdit::setPlainText, already decoded", textPlain);

    const Timing rtfLoad =
        timeBoth(editor, [&] { editor.replaceDocument(wordprocessor::loadDocument(rtfPath)); });
    const Timing rtfPlain = timeBoth(editor, [&] { editor.setPlainText(rtfText); });
    printCase("5 MB RTF (" + std::to_string(rtfText.size() / 1000) + "k characters)",
              "Load (read, parse, build, swap)", rtfLoad, "QTextEdit::setPlainText of its text",
              rtfPlain);
    std::printf("\n");

    bench::printFigure("load 10 MB CP932 text, until shown", textLoad.shown, "s", "< 1 s");
    bench::printFigure("load 10 MB CP932 text, fully laid out", textLoad.laidOut, "s", "");
    bench::printFigure("load 10 MB text / setPlainText, until shown",
                       textLoad.shown / textPlain.shown, "x");
    bench::printFigure("load 5 MB RTF / setPlainText, until shown", rtfLoad.shown / rtfPlain.shown,
                       "x", "< 2");
    bench::printFigure("load 5 MB RTF / setPlainText, laid out", rtfLoad.laidOut / rtfPlain.laidOut,
                       "x", "< 2");
    return 0;
}
