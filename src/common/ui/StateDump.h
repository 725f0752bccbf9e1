#pragma once

#include "Prompts.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>

class QObject;

namespace zurval {

// State of every named control below root, keyed by objectName. Walks the object tree
// generically, so every page is covered without code of its own.
[[nodiscard]] QJsonObject dumpControls(const QObject* root);
[[nodiscard]] QJsonArray dumpMessages(const ScriptedPrompts& prompts);
// {"messages": [...], "controls": {...}} as UTF-8 JSON with sorted keys.
[[nodiscard]] QByteArray stateJson(const QObject* root, const ScriptedPrompts& prompts);

} // namespace zurval
