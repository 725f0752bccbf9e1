#include "core/protection/CraneParameters.h"

#include <array>

namespace zurval {
namespace {

using namespace parkranmap;
using K = FieldKind;

constexpr double kTenths = 0.1;
constexpr double kHundredths = 0.01;

const std::vector<ParameterField> kGruzFields = {
    {"Rmin = ", 0x40002, K::s16, kHundredths}, {"Rred = ", 0x40004, K::s16, kHundredths},
    {"Rmax = ", kRmax, K::s16, kHundredths},   {"Qmax = ", 0x40008, K::s16, kHundredths},
    {"Qmin = ", 0x4000A, K::s16, kHundredths}, {"Mo = ", 0x4000C, K::f32, 1, "0.0#"},
    {"Qo = ", 0x40010, K::f32, 1, "0.##"},
};

// Three geo layouts: 0; 1 and 2; 3. The first five fields are the same in all.
const std::vector<ParameterField> kGeoG0 = {
    {"Vmax = ", 0x40016, K::s16, kTenths},
    {"Smax = ", kSmax, K::s16, kHundredths},
    {"Hmax1 = ", kHmax1, K::s16, kHundredths},
    {"Hmax2 = ", 0x4001C, K::s16, kHundredths},
    {"Hmin = ", 0x4001E, K::s16, kHundredths},
    {"Qup =", 0x40020, K::s16, kHundredths},
    {"Qdown = ", 0x40022, K::s16, kHundredths},
    {"Lo = ", 0x40024, K::s16, kHundredths},
    {"Ro = ", 0x40026, K::s16, kHundredths},
    {"a0 = ", 0x40028, K::s16, kHundredths},
    {"a1 = ", 0x4002A, K::s16, kHundredths},
    {"angle = ", 0x4002C, K::s16, kTenths},
    {"number = ", 0x4002E, K::s16},
    {"year = ", 0x40030, K::s16},
    {"type = ", 0x40032, K::s16},
    {"group = ", 0x40034, K::s16},
};

const std::vector<ParameterField> kGeoG1 = {
    {"Vmax = ", 0x40016, K::s16, kTenths},
    {"Smax = ", kSmax, K::s16, kHundredths},
    {"Hmax1 = ", kHmax1, K::s16, kHundredths},
    {"Hmax2 = ", 0x4001C, K::s16, kHundredths},
    {"Hmin = ", 0x4001E, K::s16, kHundredths},
    {"Qup1 =", 0x40020, K::s16, kHundredths},
    {"Qdown1 = ", 0x40022, K::s16, kHundredths},
    {"Qup2 =", 0x40024, K::s16, kHundredths},
    {"Qdown2 = ", 0x40026, K::s16, kHundredths},
    {"Lo = ", 0x40028, K::s16, kHundredths},
    {"Ro = ", 0x4002A, K::s16, kHundredths},
    {"a0 = ", 0x4002C, K::s16, kHundredths},
    {"angle = ", 0x4002E, K::s16, kTenths},
    {"number = ", 0x40030, K::s16},
    {"year = ", 0x40032, K::s16},
    {"type = ", 0x40034, K::s16},
    {"group = ", 0x40036, K::s16},
};

const std::vector<ParameterField> kGeoG3 = {
    {"Vmax = ", 0x40016, K::s16, kTenths},
    {"Smax = ", kSmax, K::s16, kHundredths},
    {"Hmax1 = ", kHmax1, K::s16, kHundredths},
    {"Hmax2 = ", 0x4001C, K::s16, kHundredths},
    {"Hmin = ", 0x4001E, K::s16, kHundredths},
    {"Q1 =", 0x40020, K::s16, kHundredths},
    {"Q2 = ", 0x40022, K::s16, kHundredths},
    {"Q3 =", 0x40024, K::s16, kHundredths},
    {"res = ", 0x40026, K::s16, kHundredths},
    {"Lo = ", 0x40028, K::s16, kHundredths},
    {"Ro = ", 0x4002A, K::s16, kHundredths},
    {"a0 = ", 0x4002C, K::s16, kHundredths},
    {"angle = ", 0x4002E, K::s16, kTenths},
    {"number = ", 0x40030, K::s16},
    {"year = ", 0x40032, K::s16},
    {"type = ", 0x40034, K::s16},
    {"group = ", 0x40036, K::s16},
};

const std::vector<ParameterField> kTunT0 = {
    {"Nro = ", 0x40038, K::s16},    {"Nr1 = ", 0x4003A, K::s16},   {"Nao = ", 0x4003C, K::s16},
    {"Na1 = ", 0x4003E, K::s16},    {"Nho = ", 0x40040, K::s16},   {"Nh1 = ", 0x40042, K::s16},
    {"Nkmax2 = ", 0x40044, K::s16}, {"Nso = ", 0x40046, K::s16},   {"Ns1 = ", 0x40048, K::s16},
    {"Ng1 = ", 0x4004A, K::s16},    {"Kq = ", 0x4004C, K::s16},    {"Fho = ", 0x4004E, K::s16},
    {"Fh1 = ", 0x40050, K::s16},    {"Kcorr = ", 0x40052, K::s16},
};

// Layout 1 stores the first 22 fields; layouts 2 and 3 keep four more inside tun.
const std::vector<ParameterField> kTunT2 = {
    {"Nro = ", 0x4003A, K::s16},       {"Nr1 = ", 0x4003C, K::s16},
    {"Nao = ", 0x4003E, K::s16},       {"a1 = ", 0x40040, K::s16},
    {"a2 = ", 0x40042, K::s16},        {"dRed = ", 0x40044, K::s16},
    {"dRmax = ", 0x40046, K::s16},     {"Nho = ", 0x40048, K::s16},
    {"Nh1 = ", 0x4004A, K::s16},       {"Hkmax2 = ", 0x4004C, K::s16},
    {"dHred = ", 0x4004E, K::s16},     {"dHmax = ", 0x40050, K::s16},
    {"dHmred = ", 0x40052, K::s16},    {"dHmmax = ", 0x40054, K::s16},
    {"Nso = ", 0x40056, K::s16},       {"Ns1 = ", 0x40058, K::s16},
    {"Ng1 = ", 0x4005A, K::s16},       {"Kq = ", 0x4005C, K::s16},
    {"Fho = ", 0x4005E, K::s16},       {"Fh1 = ", 0x40060, K::s16},
    {"Kcorr = ", 0x40062, K::s16},     {"Kcorr2 = ", 0x40064, K::s16},
    {"freg_bell = ", 0x40066, K::u16}, {"temper = ", 0x40068, K::s16},
    {"ngo = ", 0x4006A, K::s16},       {"on = ", 0x4006C, K::s16},
};
constexpr std::size_t kTun1FieldCount = 22;

const std::vector<ParameterField> kDopV0 = {
    {"freg_bell = ", kDopOld, K::u16},
    {"Visibl = ", kDopOld + 2, K::u16},
    {"on = ", kDopOld + 4, K::s16},
};

const std::vector<ParameterField> kDopV1 = {
    {"freg_bell = ", kDop, K::u16},
    {"temper = ", kDop + 2, K::s16},
    {"on = ", kDop + 4, K::s16},
};

const char* const kGruzHeader = "Структура gruz:";
const char* const kGeoHeader = "Структура geo:";
const char* const kTunHeader = "Структура tun:";
const char* const kDopHeader = "Дополнительные параметры:";

QString structureMessage(const char* name) {
    return QStringLiteral("Ошибка контольной суммы структуры \"%1\"").arg(QLatin1String(name));
}

std::array<ParameterLayout, 4> makeLayouts() {
    const std::vector<ParameterField> tunT1(kTunT2.begin(), kTunT2.begin() + kTun1FieldCount);
    const ChecksummedBlock gruzBlock{kGruz, 18, structureMessage("gruz")};
    const ChecksummedBlock geoBlock{kGeo, 34, structureMessage("geo")};
    const ChecksummedBlock tun1Block{kTun, 44, structureMessage("tun")};
    const ChecksummedBlock tun2Block{kTun, 52, structureMessage("tun")};
    const ChecksummedBlock wholeBlock{kStart, 108, structureMessage("PAR_KRAN") + QChar('!')};
    return {{
        {{{kGruzHeader, kGruzFields},
          {kGeoHeader, kGeoG0},
          {kTunHeader, kTunT0},
          {kDopHeader, kDopV0}},
         {}},
        {{{kGruzHeader, kGruzFields},
          {kGeoHeader, kGeoG1},
          {kTunHeader, tunT1},
          {kDopHeader, kDopV1}},
         {gruzBlock, geoBlock, tun1Block, wholeBlock}},
        {{{kGruzHeader, kGruzFields}, {kGeoHeader, kGeoG1}, {kTunHeader, kTunT2}},
         {gruzBlock, geoBlock, tun2Block}},
        {{{kGruzHeader, kGruzFields}, {kGeoHeader, kGeoG3}, {kTunHeader, kTunT2}},
         {gruzBlock, geoBlock, tun2Block}},
    }};
}

double fieldValue(const ByteReader& r, const ParameterField& f) {
    switch (f.kind) {
    case FieldKind::s16:
        return static_cast<double>(r.s16le(f.offset)) * f.factor;
    case FieldKind::u16:
        return static_cast<double>(r.u16le(f.offset)) * f.factor;
    case FieldKind::f32:
        return r.f32le(f.offset);
    }
    return 0;
}

std::vector<ParameterSectionValues> sectionValues(const ByteReader& r,
                                                  const ParameterLayout& layout) {
    std::vector<ParameterSectionValues> sections;
    sections.reserve(layout.sections.size());
    for (const ParameterSection& section : layout.sections) {
        ParameterSectionValues values{section.header, {}};
        values.values.reserve(section.fields.size());
        for (const ParameterField& f : section.fields)
            values.values.push_back({&f, fieldValue(r, f)});
        sections.push_back(std::move(values));
    }
    return sections;
}

float metres(const ByteReader& r, std::size_t offset) {
    return static_cast<float>(r.s16le(offset) * kHundredths);
}

} // namespace

const ParameterLayout* craneParameterLayout(int recorderVersion) {
    static const std::array<ParameterLayout, 4> layouts = makeLayouts();
    if (recorderVersion < 0 || recorderVersion >= static_cast<int>(layouts.size()))
        return nullptr;
    return &layouts[static_cast<std::size_t>(recorderVersion)];
}

CraneParameters decodeCraneParameters(const ByteReader& r, int recorderVersion) {
    CraneParameters p;
    const ParameterLayout* layout = craneParameterLayout(recorderVersion);
    if (!layout)
        return p;
    p.messages = failedBlockMessages(r, layout->checksums);
    p.sections = sectionValues(r, *layout);
    p.dimensions = CraneDimensions{metres(r, kRmax), metres(r, kSmax), metres(r, kHmax1)};
    return p;
}

} // namespace zurval
