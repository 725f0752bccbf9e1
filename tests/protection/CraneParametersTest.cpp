#include "core/protection/CraneParameters.h"

#include "RecordingBuilder.h"
#include "core/protection/SettingsTexts.h"
#include "core/recorder/FileMap.h"

#include <gtest/gtest.h>

using namespace zurval;
using namespace zurval::parkranmap;

namespace {

QString q(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// Every 16-bit word of PAR_KRAN holds the low half of its own offset (0x40020 holds 0x20),
// so a listed value tells where it was read; the checksums of the layout are intact.
RecordingBuilder numbered(int version) {
    RecordingBuilder b;
    for (std::size_t off = kStart; off < kEnd; off += 2)
        b.u16le(off, static_cast<std::uint16_t>(off & 0xFFFF));
    if (const ParameterLayout* layout = craneParameterLayout(version))
        b.fixBlocks(layout->checksums);
    return b;
}

CraneParameters decode(const RecordingBuilder& b, int version) {
    return decodeCraneParameters(ByteReader(b.bytes()), version);
}

QStringList listing(const CraneParameters& p) {
    return parameterListing(p.sections);
}

const char* const kGruzBad = "Ошибка контольной суммы структуры \"gruz\"";
const char* const kGeoBad = "Ошибка контольной суммы структуры \"geo\"";
const char* const kTunBad = "Ошибка контольной суммы структуры \"tun\"";
const char* const kParKranBad = "Ошибка контольной суммы структуры \"PAR_KRAN\"!";

} // namespace

TEST(CraneParameterLayout, FieldsFollowEachOtherInsideParKranAndMissTheChecksumBytes) {
    for (int version = 0; version <= 3; ++version) {
        SCOPED_TRACE(version);
        const ParameterLayout* layout = craneParameterLayout(version);
        ASSERT_NE(layout, nullptr);
        std::size_t next = kStart;
        for (const ParameterSection& section : layout->sections) {
            for (const ParameterField& f : section.fields) {
                EXPECT_GE(f.offset, next) << f.label;
                next = f.offset + f.width();
                for (const ChecksummedBlock& b : layout->checksums) {
                    const std::size_t sum = b.start + b.length;
                    EXPECT_TRUE(sum < f.offset || sum >= next) << f.label;
                }
            }
        }
        EXPECT_LE(next, kEnd);
        for (const ChecksummedBlock& b : layout->checksums)
            EXPECT_LT(b.start + b.length, kEnd);
    }
    for (const int unknown : {-1, 4, 5, 150})
        EXPECT_EQ(craneParameterLayout(unknown), nullptr);
}

TEST(CraneParameterListing, HasTheSectionsAndLinesOfEachLayout) {
    const QStringList withDop = {q("Структура gruz:"), "", q("Структура geo:"),           "",
                                 q("Структура tun:"),  "", q("Дополнительные параметры:")};
    const QStringList withoutDop = withDop.mid(0, 5);
    struct Case {
        int version;
        int lines;
        QStringList headersAndGaps;
        QStringList someLines; // values are the low halves of their offsets
    };
    const Case cases[] = {
        {0,
         47,
         withDop,
         {"Vmax = 2,2", "Qup =0,32", "Qdown = 0,34", "a1 = 0,42", "angle = 4,4", "group = 52",
          "Kcorr = 82", "Visibl = 88", "on = 90"}},
        {1,
         56,
         withDop,
         {"Qup1 =0,32", "Qup2 =0,36", "Qdown2 = 0,38", "angle = 4,6", "group = 54", "Kcorr2 = 100",
          "temper = 106", "on = 108"}},
        {2,
         55,
         withoutDop,
         {"Qup1 =0,32", "Qup2 =0,36", "a1 = 64", "Kcorr2 = 100", "freg_bell = 102", "temper = 104",
          "ngo = 106", "on = 108"}},
        {3, 55, withoutDop, {"Q1 =0,32", "Q2 = 0,34", "Q3 =0,36", "res = 0,38", "Lo = 0,4"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        const QStringList lines = listing(decode(numbered(c.version), c.version));
        EXPECT_EQ(lines.size(), c.lines);
        QStringList headersAndGaps;
        for (const QString& line : lines) {
            if (!line.contains('='))
                headersAndGaps << line;
        }
        EXPECT_EQ(headersAndGaps, c.headersAndGaps);
        for (const QString& line : c.someLines)
            EXPECT_TRUE(lines.contains(line)) << line.toStdString();
    }
    // The version 2 listing ends with the last field of tun.
    EXPECT_EQ(listing(decode(numbered(2), 2)).last(), "on = 108");
}

TEST(CraneParameterListing, ShowsEachKindOfField) {
    struct Case {
        int version;
        std::size_t offset;
        std::vector<std::uint8_t> bytes;
        const char* line;
    };
    const Case cases[] = {
        {0, 0x40002, {0x00, 0x80}, "Rmin = -327,68"},
        {0, 0x4000C, {0x00, 0x00, 0x20, 0x40}, "Mo = 2,5"},
        {0, 0x4000C, {0x00, 0x00, 0x40, 0x40}, "Mo = 3,0"},
        {0, 0x40010, {0x00, 0x00, 0x40, 0x40}, "Qo = 3"},
        {0, 0x4000C, {0x00, 0x00, 0xC0, 0x7F}, "Mo = NAN"},
        {0, 0x40010, {0x00, 0x00, 0x80, 0xFF}, "Qo = -INF"},
        {0, 0x40056, {0xFF, 0xFF}, "freg_bell = 65535"},
        {0, 0x40058, {0xFF, 0xFF}, "Visibl = 65535"},
        {0, 0x4005A, {0xFF, 0xFF}, "on = -1"},
        {1, 0x40068, {0xFF, 0xFF}, "freg_bell = 65535"},
        {2, 0x40066, {0xFF, 0xFF}, "freg_bell = 65535"},
        {2, 0x4006C, {0xFF, 0xFF}, "on = -1"},
    };
    for (const Case& c : cases) {
        RecordingBuilder b;
        b.raw(c.offset, c.bytes);
        EXPECT_TRUE(listing(decode(b, c.version)).contains(c.line)) << c.line;
    }
}

TEST(CraneParameterChecksums, AreTestedPerLayoutInTheirOrder) {
    // One more in the first data byte of gruz, geo and tun breaks those three and the whole.
    const auto bumpThree = [](RecordingBuilder& b) {
        for (const std::size_t off : {kGruz, kGeo, kTun})
            b.u8(off, static_cast<std::uint8_t>(b.bytes()[off] + 1));
    };
    const auto flipLastSum = [](RecordingBuilder& b) { b.u8(0x4006E, b.bytes()[0x4006E] ^ 0x5A); };
    struct Case {
        int version;
        void (*damage)(RecordingBuilder&);
        std::vector<const char*> messages;
    };
    const Case cases[] = {
        {1, bumpThree, {kGruzBad, kGeoBad, kTunBad, kParKranBad}},
        {2, bumpThree, {kGruzBad, kGeoBad, kTunBad}},
        {0, bumpThree, {}},
        // 0x4006E guards the whole structure in layout 1 and tun in layouts 2 and 3.
        {1, flipLastSum, {kParKranBad}},
        {2, flipLastSum, {kTunBad}},
        {3, flipLastSum, {kTunBad}},
        {0, flipLastSum, {}},
        {1, [](RecordingBuilder&) {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        RecordingBuilder b = numbered(c.version);
        c.damage(b);
        QStringList expected;
        for (const char* m : c.messages)
            expected << q(m);
        EXPECT_EQ(decode(b, c.version).messages, expected);
    }
}

TEST(CraneDimensions, ComeFromKnownLayoutsOnly) {
    RecordingBuilder b;
    b.u16le(kRmax, 5000).u16le(kSmax, 6000).u16le(kHmax1, static_cast<std::uint16_t>(-250));
    for (int version = 0; version <= 3; ++version) {
        const CraneParameters p = decode(b, version);
        ASSERT_TRUE(p.dimensions.has_value());
        EXPECT_FLOAT_EQ(p.dimensions->Rmax, 50);
        EXPECT_FLOAT_EQ(p.dimensions->Smax, 60);
        EXPECT_FLOAT_EQ(p.dimensions->Hmax1, -2.5f);
        EXPECT_TRUE(listing(p).contains("Rmax = 50"));
    }
    // An unknown layout lists nothing, reports nothing, and leaves the dimensions alone.
    for (const int version : {-1, 4, 5, 150}) {
        const CraneParameters p = decode(b, version);
        EXPECT_FALSE(p.dimensions.has_value());
        EXPECT_TRUE(p.sections.empty());
        EXPECT_TRUE(p.messages.isEmpty());
    }
}

TEST(CraneParameterListing, ReadsNothingOutsideParKran) {
    RecordingBuilder blank = numbered(1);
    RecordingBuilder noisy = numbered(1);
    noisy.fill(0, kStart, 0xEE).fill(kEnd, filemap::kImageSize - kEnd, 0xEE);
    for (int version = 0; version <= 3; ++version) {
        const CraneParameters a = decode(blank, version);
        const CraneParameters b = decode(noisy, version);
        EXPECT_EQ(listing(a), listing(b));
        EXPECT_EQ(a.messages, b.messages);
    }
    // A file cut inside PAR_KRAN reads the missing bytes as zeros.
    EXPECT_EQ(listing(decode(numbered(2).resize(kTun), 2)).last(), "on = 0");
}
