#pragma once

#include "core/common/ByteReader.h"
#include "core/recorder/Checksums.h"

#include <QStringList>
#include <cstddef>
#include <optional>
#include <vector>

namespace zurval {

// Where PAR_KRAN and its sub-structures lie in the image. The layout version decides
// which of the tun and dop starts applies.
namespace parkranmap {

constexpr std::size_t kStart = 0x40002;
constexpr std::size_t kEnd = 0x40070; // PROTECT follows
constexpr std::size_t kGruz = 0x40002;
constexpr std::size_t kGeo = 0x40016;
constexpr std::size_t kTunOld = 0x40038; // layout 0
constexpr std::size_t kTun = 0x4003A;    // layouts 1 to 3
constexpr std::size_t kDopOld = 0x40056; // layout 0
constexpr std::size_t kDop = 0x40068;    // layout 1

// The three fields the protection picture is scaled by, in hundredths of a metre.
constexpr std::size_t kRmax = 0x40006;
constexpr std::size_t kSmax = 0x40018;
constexpr std::size_t kHmax1 = 0x4001A;

} // namespace parkranmap

enum class FieldKind { s16, u16, f32 };

// One line of the parameter listing: the label followed directly by the value.
struct ParameterField {
    const char* label;
    std::size_t offset; // in the image
    FieldKind kind;
    double factor = 1;             // integers: raw × factor in the general format
    const char* pattern = nullptr; // floats: the number pattern
    [[nodiscard]] std::size_t width() const { return kind == FieldKind::f32 ? 4 : 2; }
};

struct ParameterSection {
    const char* header; // "Структура gruz:"
    std::vector<ParameterField> fields;
};

// How one layout version stores PAR_KRAN.
struct ParameterLayout {
    std::vector<ParameterSection> sections;  // listed in order, an empty line between two
    std::vector<ChecksummedBlock> checksums; // tested in this order
};

// nullptr for a version whose layout the program does not know.
[[nodiscard]] const ParameterLayout* craneParameterLayout(int recorderVersion);

// Jib reach, rail travel and highest hook position, in metres.
struct CraneDimensions {
    float Rmax = 0;
    float Smax = 0;
    float Hmax1 = 0;
};

// A field's value: an integer field scaled by its factor, a float as stored.
struct ParameterValue {
    const ParameterField* field = nullptr;
    double value = 0;
};
struct ParameterSectionValues {
    const char* header = nullptr;
    std::vector<ParameterValue> values;
};

struct CraneParameters {
    std::vector<ParameterSectionValues> sections; // in the layout's order
    QStringList messages;                         // failed checksums, in the order they are shown
    // Empty for an unknown layout: the document keeps the dimensions it had.
    std::optional<CraneDimensions> dimensions;
};

[[nodiscard]] CraneParameters decodeCraneParameters(const ByteReader& r, int recorderVersion);

} // namespace zurval
