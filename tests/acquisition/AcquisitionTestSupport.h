#pragma once

#include "RecordingBuilder.h"
#include "ScriptedSerialPort.h"
#include "automation/ScriptedPrompts.h"
#include "core/acquisition/DeviceCommands.h"
#include "core/recorder/FileMap.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace zurval::testing {

// The main window as a device command sees it, remembering what it was shown.
struct RecordingView : TransferView {
    QStringList statusTexts;
    std::vector<StatusColour> colours;
    std::vector<int> progress;
    bool progressVisible = false;
    OperatorBlock texts;

    void setStatusText(const QString& text) override { statusTexts << text; }
    void setStatusColour(StatusColour colour) override { colours.push_back(colour); }
    void setProgressVisible(bool visible) override { progressVisible = visible; }
    void setProgress(int percent) override { progress.push_back(percent); }
    void repaint() override {}
    OperatorBlock operatorTexts() const override { return texts; }
    void setOperatorTexts(const OperatorBlock& t) override { texts = t; }
};

// The operator dialog: keeps its texts from one read to the next like the real one.
struct ScriptedOperatorDialog : OperatorDialog {
    OperatorBlock typed; // what the user leaves in the edits
    bool pressOk = true;
    std::vector<std::optional<QString>> proposedDates;

    bool ask(const std::optional<QString>& readingDate, OperatorBlock& entered) override {
        proposedDates.push_back(readingDate);
        if (readingDate)
            typed.readingDate = *readingDate;
        if (pressOk)
            entered = typed;
        return pressOk;
    }
};

// A device command's surroundings with a folder of its own for "temp.bin" and the files.
struct CommandHarness {
    QTemporaryDir dir;
    ScriptedSerialPort scripted;
    LoggingClock clock{scripted};
    ScriptedPrompts prompts;
    RecordingView view;
    ScriptedOperatorDialog dialog;

    CommandHarness() { scripted.useClock(clock); }
    AcquisitionContext context(SerialPort& port) {
        return {port, clock, prompts, view, dialog, dir.path()};
    }
    AcquisitionContext context() { return context(scripted); }
    QString path(const QString& name) const { return dir.filePath(name); }
};

// What a device sends for an intact image: every byte of the 270,336 has a part in it.
inline std::vector<std::uint8_t> deviceStream(bool intact = true) {
    RecordingBuilder b;
    b.resize(kCompleteTransfer);
    for (std::size_t i = 0; i < kCompleteTransfer; ++i)
        b.bytes()[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
    intact ? b.fixImageSum() : b.breakImageSum();
    return b.bytes();
}

inline QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline QByteArray bytesOf(const std::vector<std::uint8_t>& v, std::size_t from, std::size_t n) {
    return QByteArray(reinterpret_cast<const char*>(v.data() + from), static_cast<qsizetype>(n));
}

} // namespace zurval::testing
