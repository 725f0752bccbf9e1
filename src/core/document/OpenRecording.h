#pragma once

#include "core/document/RecorderDocument.h"

#include <QString>
#include <optional>
#include <variant>
#include <vector>

namespace zurval {

// What the open command tells the user, one notice at a time in the order it happens.
namespace notice {
struct Message { // a plain message box
    QString text;
};
struct ImageChecked { // the status bar turns grey when the whole-image sum is wrong
    bool intact;
};
struct VersionShown { // panel 2 of the status bar
    int recorderVersion;
};
struct BankChosen { // the check mark of Банк-0 or Банк-1
    int bank;
};
} // namespace notice
using OpenNotice =
    std::variant<notice::Message, notice::ImageChecked, notice::VersionShown, notice::BankChosen>;

struct OpenOutcome {
    bool opened = false; // false: "\n Файл не удальсь открыть!" and nothing else
    QString problem;     // why the file could not be read, for the command line
    std::vector<OpenNotice> notices;
};

extern const QString kCannotOpenMessage;

// The open command without its window: reads the file at path, runs every check and
// decoding step in order and overwrites the document. When the file cannot be read the
// document is left as it was.
[[nodiscard]] OpenOutcome openRecording(const QString& path, RecorderDocument& document);
// The same steps on a file already read, for callers that look at its bytes themselves:
// every check and decoding step, in order.
[[nodiscard]] OpenOutcome decodeRecording(const RecorderFile& file, RecorderDocument& document);

// Банк-0 / Банк-1: one bank alone, read anew from the file; nothing when the file cannot
// be read.
[[nodiscard]] std::optional<SingleBank> readSingleBank(const QString& path, int bank);

} // namespace zurval
