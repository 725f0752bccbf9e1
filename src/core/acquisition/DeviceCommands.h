#pragma once

#include "core/acquisition/ReceiveStream.h"
#include "core/acquisition/SerialPort.h"
#include "core/acquisition/TransferView.h"
#include "core/common/Clock.h"
#include "core/common/Prompts.h"

#include <QDateTime>
#include <QString>

namespace zurval {

enum class TransferDevice { Vrl2, Vrl3 };

// What a device command works with. Everything it shows, waits for or asks goes through
// these, so the commands run the same under the window, the headless mode and the tests.
struct AcquisitionContext {
    SerialPort& port;
    Clock& clock;
    Prompts& prompts;
    TransferView& view;
    OperatorDialog& operatorDialog;
    // The current folder, where "temp.bin" is written and whose "bin_prm" the save dialog
    // opens; "" is the process's current directory.
    QString folder;
    // Where the save dialog starts instead, when not empty (the folder used last).
    QString saveFolder = {};
    // Set while the read runs (the user's "Прервать", a signal) to end the transfer before
    // its next byte, as a device falling silent ends it; nullptr when nothing can.
    const bool* abortRequested = nullptr;
};

struct ReadOutcome {
    int readCounter = 0;      // 0 when no read was made
    bool imageIntact = false; // the received image's checksum matched
    QString savedPath;        // the recorder file written, "" when none
};

// Файл → "Считать ГМЕ-2" → COM1/COM2: reads a ВРЛ-2 on port "COM" + portNumber into the
// main window's buffer, checks it and has it saved.
ReadOutcome readVrl2(const AcquisitionContext& ctx, int portNumber, ReceiveBuffer& buffer);

// Файл → "Считать ГМЕ-3": finds a ВРЛ-3 on the first fifteen ports, reads, checks and saves.
// now gives the reading date.
ReadOutcome readVrl3(const AcquisitionContext& ctx, const QDateTime& now);

// The proposed reading date of a ВРЛ-3 read, also the proposed file name: "08.12.06 14-05".
[[nodiscard]] QString readingDateText(const QDateTime& now);

struct ImageCheck {
    bool intact = false; // the stored whole-image sum matched
    QString scratchPath; // "temp.bin" as written, "" when it could not be written
};

// Writes the received data to "temp.bin" and checks the image read back from it.
// progressDivisor turns a byte index into the progress bar's value.
[[nodiscard]] ImageCheck verifyReceivedImage(const AcquisitionContext& ctx,
                                             const ReceiveBuffer& buffer, int progressDivisor);

// Asks for a file name, writes the device data, asks for the operator's details and
// appends them. A new file replaces an existing one only once it is complete. Returns the
// path written, "" when the user cancelled or the file could not be written (which is
// reported, naming scratchPath when the data are there).
QString saveRecorderFile(const AcquisitionContext& ctx, const ReceiveBuffer& buffer,
                         TransferDevice device, const QString& scratchPath);

} // namespace zurval
