#pragma once

#include "automation/ScriptedPrompts.h"
#include "widgets/common/DescribesOwnState.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>

class QObject;

namespace zurval {

// State of every named control below root, keyed by objectName. Walks the object tree
// generically, so every page is covered without code of its own.
[[nodiscard]] QJsonObject dumpControls(const QObject* root);
// Names that more than one of our controls carry: in the dump one would hide the other.
[[nodiscard]] QStringList duplicateControlNames(const QObject* root);
[[nodiscard]] QJsonArray dumpMessages(const ScriptedPrompts& prompts, std::size_t from = 0);
// {"messages": [...], "controls": {...}}, the messages from the given one on.
[[nodiscard]] QJsonObject stateOf(const QObject* root, const ScriptedPrompts& prompts,
                                  std::size_t messagesFrom = 0);
// The same as UTF-8 JSON with sorted keys.
[[nodiscard]] QByteArray stateJson(const QObject* root, const ScriptedPrompts& prompts);

} // namespace zurval
