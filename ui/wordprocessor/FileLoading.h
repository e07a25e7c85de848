#pragma once
// Reading a file chosen with Load into a new document for the editor. The
// editor is not touched here: a caller swaps the document in only once it
// is complete, so every failure leaves the editor's text as it was.
#include <QString>
#include <QTextDocument>
#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>

namespace wordprocessor {

// Larger files are refused before reading, rather than exhausting memory.
inline constexpr std::size_t kMaxFileBytes = std::size_t{64} * 1024 * 1024;

// The file cannot be opened for reading (missing, no permission, a folder).
class FileOpenError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The file was opened but its content could not be read.
class FileReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The whole content of the file, at most `limit` bytes. Never blocks on a
// FIFO or device that has nothing to give.
std::string readFileBytes(const QString& fileName, std::size_t limit = kMaxFileBytes);

// The file's content as a document: rich text with its formatting, anything
// else as plain text (UTF-8 or CP932). Throws std::runtime_error whose
// message is the one the learner sees: "ﾌｧｲﾙ <name> は開けません" or
// "ｽﾄﾘｰﾑからの読み込みに失敗しました".
std::unique_ptr<QTextDocument> loadDocument(const QString& fileName);

} // namespace wordprocessor
