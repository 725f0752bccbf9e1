#include "automation/CommandLine.h"

#include "core/frames/IntegerText.h"

#include <algorithm>
#include <cstdio>

namespace zurval {

std::optional<CommandArguments> parseArguments(const CommandSyntax& syntax,
                                               const QStringList& words, QString* error) {
    const QString command = syntax.name.isEmpty() ? QStringLiteral("zurval") : syntax.name;
    auto refuse = [error](const QString& why) -> std::optional<CommandArguments> {
        *error = why;
        return std::nullopt;
    };
    CommandArguments arguments;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString& word = words[i];
        if (!word.startsWith(u'-')) {
            if (arguments.positional.size() >= syntax.positional.size() && !syntax.repeatsLast)
                return refuse(QStringLiteral("unexpected %1 for %2").arg(word, command));
            arguments.positional << word;
            continue;
        }
        const qsizetype equals = word.indexOf(u'=');
        const QString name = word.left(equals);
        const auto option = std::find_if(syntax.options.begin(), syntax.options.end(),
                                         [&name](const OptionSpec& o) { return o.name == name; });
        if (option == syntax.options.end())
            return refuse(QStringLiteral("unknown option %1 for %2").arg(name, command));
        QString value;
        if (option->value.isEmpty()) {
            if (equals >= 0)
                return refuse(QStringLiteral("%1 takes no value").arg(name));
        } else if (equals >= 0) {
            value = word.mid(equals + 1);
        } else if (i + 1 < words.size()) {
            value = words[++i];
        } else {
            return refuse(QStringLiteral("%1 needs %2").arg(name, option->value));
        }
        if (option->occurrence == Occurrence::Step)
            arguments.steps.emplace_back(name, value);
        else if (arguments.options.contains(name))
            return refuse(QStringLiteral("%1 is given twice").arg(name));
        else
            arguments.options.insert(name, value);
    }
    if (arguments.positional.size() < syntax.required)
        return refuse(QStringLiteral("%1 needs %2")
                          .arg(command, syntax.positional.at(arguments.positional.size())));
    for (const OptionSpec& option : syntax.options)
        if (option.occurrence == Occurrence::Required && !arguments.has(option.name))
            return refuse(QStringLiteral("%1 needs %2 %3").arg(command, option.name, option.value));
    return arguments;
}

std::optional<EntryRange> parseRange(const QString& text, int capacity, bool singleEntry,
                                     QString* error) {
    const QStringList ends = text.split(u'-');
    if (ends.size() == 2) {
        const int first = parseInteger(ends[0]).value_or(-1);
        const int last = parseInteger(ends[1]).value_or(-1);
        if (first >= 0 && last < capacity && (first < last || (singleEntry && first == last)))
            return EntryRange{first, last};
    }
    *error = QStringLiteral("--range takes A-B with 0 <= A %1 B <= %2, not %3")
                 .arg(singleEntry ? QStringLiteral("<=") : QStringLiteral("<"))
                 .arg(capacity - 1)
                 .arg(text);
    return std::nullopt;
}

std::optional<int> parseFrameNumber(const QString& text, QString* error) {
    const std::optional<int> frame = parseInteger(text);
    if (frame && *frame >= 0 && *frame < kFrameCapacity)
        return frame;
    *error = QStringLiteral("--frame takes a frame number 0 to %1, not %2")
                 .arg(kFrameCapacity - 1)
                 .arg(text);
    return std::nullopt;
}

QString aboutFile(const QString& path, const QString& reason) {
    return QStringLiteral("%1: %2").arg(path, reason);
}

void complain(const QString& message) {
    std::fprintf(stderr, "zurval: %s\n", qUtf8Printable(message));
}

int fail(int exitCode, const QString& message) {
    complain(message);
    return exitCode;
}

} // namespace zurval
