#pragma once

#include "automation/CommandLine.h"

#include <QStringList>
#include <optional>

// The commands that drive the window, each in the application object main made for it.
namespace zurval {

class TForm_saver;

// zurval --dump-state [FILE] [--each] [STEP ...] [--frame N] [--picture OUT.png]: the window
// on the offscreen platform, FILE opened, the steps acted out, frame N drawn, the protection
// picture written, the state printed as JSON.
int runDumpState(const CommandArguments& arguments);

// zurval --acquire vrl2|vrl3 [--port COM1|COM2] [--save FILE] [--operator NAME|CERT|ORG|DATE]:
// the device read on the offscreen platform with the system's serial ports and real pauses.
// The connect prompt is confirmed, the save dialog answers FILE (cancelled without --save),
// the operator dialog takes the texts (closed without "Ok" without --operator; texts left
// out keep what the dialog proposes, the ВРЛ-3 reading date for one). SIGINT and SIGTERM
// end the transfer as the window's "Прервать" does. Prints the messages, every state of
// panel 1, the count of reads and the file saved as JSON; no file saved is kExitNotWritten.
int runAcquire(const CommandArguments& arguments);

// Answers the operator dialog each time it is shown, as a user would: types the texts (name,
// certificate, organisation, date; as many as given) into its edits and presses "Ok", or,
// without texts, closes it without "Ok". Replaces an earlier answer.
void answerOperatorDialog(TForm_saver& dialog, const std::optional<QStringList>& typed);

} // namespace zurval
