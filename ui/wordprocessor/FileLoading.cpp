#include "ui/wordprocessor/FileLoading.h"

#include "platform/TextDecoding.h"
#include "ui/wordprocessor/RtfToDocument.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace wordprocessor {
namespace {

constexpr std::string_view kCannotOpen = "ﾌｧｲﾙ %s は開けません";
constexpr std::string_view kStreamReadFailed = "ｽﾄﾘｰﾑからの読み込みに失敗しました";
constexpr std::size_t kChunkBytes = std::size_t{1} << 20;

std::string cannotOpenMessage(const QString& fileName) {
    std::string message(kCannotOpen);
    message.replace(message.find("%s"), 2, fileName.toStdString());
    return message;
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() { ::close(fd_); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

} // namespace

std::string readFileBytes(const QString& fileName, std::size_t limit) {
    const QByteArray path = QFile::encodeName(fileName);
    // O_NONBLOCK: opening or reading a FIFO must not hang the window.
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        throw FileOpenError(cannotOpenMessage(fileName));
    }
    const FileDescriptor file(fd);
    struct stat info {};
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        throw FileOpenError(cannotOpenMessage(fileName));
    }
    const bool regular = S_ISREG(info.st_mode);
    if (regular && static_cast<std::size_t>(info.st_size) > limit) {
        throw FileReadError(std::string(kStreamReadFailed));
    }
    std::string bytes;
    if (regular) {
        bytes.reserve(static_cast<std::size_t>(info.st_size));
    }
    // The size seen by fstat is a hint only: files grow, and /proc or device
    // files report none, so reading stops at the limit whatever it said.
    while (true) {
        const std::size_t used = bytes.size();
        const std::size_t want = std::min(kChunkBytes, limit + 1 - used);
        bytes.resize(used + want);
        const ssize_t got = ::read(fd, bytes.data() + used, want);
        if (got < 0) {
            if (errno == EINTR) {
                bytes.resize(used);
                continue;
            }
            throw FileReadError(std::string(kStreamReadFailed));
        }
        bytes.resize(used + static_cast<std::size_t>(got));
        if (got == 0) {
            break;
        }
        if (bytes.size() > limit) {
            throw FileReadError(std::string(kStreamReadFailed));
        }
    }
    return bytes;
}

std::unique_ptr<QTextDocument> loadDocument(const QString& fileName) {
    const std::string bytes = readFileBytes(fileName);
    try {
        if (auto document = documentFromRtf(bytes)) {
            return document;
        }
    } catch (const platform::TextDecodingError&) {
        // Rich text that cannot be decoded is read once more as plain text.
    }
    std::string text;
    try {
        text = platform::decodePlainText(bytes);
    } catch (const platform::TextDecodingError&) {
        throw FileReadError(std::string(kStreamReadFailed));
    }
    auto document = std::make_unique<QTextDocument>();
    document->setUndoRedoEnabled(false);
    document->setPlainText(QString::fromStdString(text));
    return document;
}

} // namespace wordprocessor
