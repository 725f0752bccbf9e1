#pragma once

#include <QByteArray>
#include <QStringList>
#include <csv.h>
#include <vector>

namespace zurval::testing {

// The lines of a CSV file as a spreadsheet reads them, by a strict RFC 4180 reader that is
// not ours: separator between fields, no space trimmed. The byte-order mark must lead.
struct ParsedCsv {
    bool ok = false;
    bool byteOrderMark = false;
    std::vector<QStringList> lines;
};

inline ParsedCsv parseCsv(const QByteArray& bytes, char separator = ';') {
    ParsedCsv parsed;
    const QByteArray bom("\xEF\xBB\xBF");
    parsed.byteOrderMark = bytes.startsWith(bom);
    const QByteArray body = parsed.byteOrderMark ? bytes.mid(bom.size()) : bytes;

    csv_parser parser;
    if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI) != 0)
        return parsed;
    csv_set_delim(&parser, static_cast<unsigned char>(separator));
    csv_set_space_func(&parser, [](unsigned char) { return 0; });
    QStringList line;
    struct Sink {
        QStringList* line;
        std::vector<QStringList>* lines;
    } sink{&line, &parsed.lines};
    auto field = [](void* text, std::size_t size, void* data) {
        static_cast<Sink*>(data)->line->append(
            QString::fromUtf8(static_cast<const char*>(text), static_cast<qsizetype>(size)));
    };
    auto end = [](int, void* data) {
        auto* s = static_cast<Sink*>(data);
        s->lines->push_back(*s->line);
        s->line->clear();
    };
    const std::size_t used = csv_parse(&parser, body.constData(),
                                       static_cast<std::size_t>(body.size()), field, end, &sink);
    parsed.ok =
        used == static_cast<std::size_t>(body.size()) && csv_fini(&parser, field, end, &sink) == 0;
    csv_free(&parser);
    return parsed;
}

} // namespace zurval::testing
