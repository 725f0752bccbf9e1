#include "SampleRecording.h"

#include "core/protection/CraneParameters.h"
#include "core/protection/ProtectionSettings.h"
#include "core/recorder/FileMap.h"

#include <QDate>
#include <algorithm>
#include <cmath>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace zurval {
namespace {

using namespace filemap;

constexpr int kLayoutVersion = 2;
// Mid-ring, so that the ring has wrapped round and the oldest frame is not in slot 0.
constexpr int kNewestSlot = 5000;
constexpr int kDamagedSlot = 1234;

// Discrete inputs as the limiter of layout 2 reports them.
constexpr std::uint16_t kLineContactor = 1 << 0;
constexpr std::uint16_t kThreePhases = 1 << 1;
constexpr std::uint16_t kHoistUp = 1 << 2;
constexpr std::uint16_t kHoistDown = 1 << 4;
constexpr std::uint16_t kHoistBrakeOpen = 1 << 5;
constexpr std::uint16_t kTravelForward = 1 << 6;
constexpr std::uint16_t kTravelBack = 1 << 7;
constexpr std::uint16_t kTravelBrakeOpen = 1 << 8;
constexpr std::uint16_t kSlewRight = 1 << 9;
constexpr std::uint16_t kSlewLeft = 1 << 10;
constexpr std::uint16_t kSlewBrakeOpen = 1 << 11;
constexpr std::uint16_t kTrolleyOut = 1 << 12;
constexpr std::uint16_t kTrolleyIn = 1 << 13;
constexpr std::uint16_t kRailStart = 1 << 15;
constexpr std::uint16_t kPowerOn = kLineContactor | kThreePhases;
// Output relays: each is energised while its movement or mode is allowed.
constexpr std::uint16_t kAllowHoistUp = 1 << 0;
constexpr std::uint16_t kAllowHoistDown = 1 << 1;
constexpr std::uint16_t kAllowForward = 1 << 2;
constexpr std::uint16_t kAllowBack = 1 << 3;
constexpr std::uint16_t kAllowSlewRight = 1 << 4;
constexpr std::uint16_t kAllowSlewLeft = 1 << 5;
constexpr std::uint16_t kAllowTrolleyOut = 1 << 6;
constexpr std::uint16_t kAllowTrolleyIn = 1 << 7;
constexpr std::uint16_t kHookBelowTop = 1 << 8;
constexpr std::uint16_t kWindBelowLimit = 1 << 9;
constexpr std::uint16_t kSlewFullSpeed = 1 << 10;
constexpr std::uint16_t kWithinSetPoints = 1 << 11;
constexpr std::uint16_t kTrolleyFullSpeed = 1 << 12;
constexpr std::uint16_t kWorkMode = 1 << 14; // off while the limiter is being set up
constexpr std::uint16_t kBlockButton = 1 << 15;
constexpr std::uint16_t kAllMovements = kAllowHoistUp | kAllowHoistDown | kAllowForward |
                                        kAllowBack | kAllowSlewRight | kAllowSlewLeft |
                                        kAllowTrolleyOut | kAllowTrolleyIn;
// The nine coordinate-protection limits, all switched on while the crane works.
constexpr std::uint16_t kAllLimits = 0x01FF;
constexpr std::uint8_t kMomentLimitReached = 1;
constexpr std::uint8_t kZoneLimitReached = 2;
constexpr int kWarningPercent = 90;
constexpr int kStopPercent = 105;

// Speeds in m/s and degrees/s; the hook block weighs on the load cell even without a load.
constexpr double kHoistSpeed = 0.6;
constexpr double kTrolleySpeed = 0.5;
constexpr double kSlewSpeed = 3.6;
constexpr double kTravelSpeed = 0.3;
constexpr double kHookBlockTonnes = 0.35;

constexpr int kHour = 3600;

// Rated capacity of the made-up crane: 8 t out to 16 m, beyond that a constant 128 t·m.
double ratedLoad(double radius) {
    return std::min(8.0, 128.0 / radius);
}

struct Pose {
    double travel = 12;  // m along the rails
    double hook = 30;    // m above the ground
    double azimuth = 45; // degrees
    double radius = 6;   // m
};

// The coordinate protection of the site: where each limit acts and what it stops.
struct Zone {
    std::uint16_t limit;
    std::uint16_t stops; // relay
    bool (*reached)(const Pose& p, double floorLevel);
};
const Zone kZones[] = {
    {1 << 0, kAllowSlewLeft,
     [](const Pose& p, double) { return p.azimuth > 288 && p.azimuth < 292; }},
    {1 << 1, kAllowSlewRight,
     [](const Pose& p, double) { return p.azimuth > 18 && p.azimuth < 21; }},
    {1 << 2, kAllowTrolleyOut, [](const Pose& p, double) { return p.radius > 37; }},
    {1 << 3, kAllowHoistUp, [](const Pose& p, double floor) { return p.hook > floor + 14.5; }},
    {1 << 4, kAllowHoistDown, [](const Pose& p, double) { return p.hook < 0.6; }},
    // The jib passes over the neighbouring house, the hook near the tower over its yard.
    {1 << 5, kAllowTrolleyOut,
     [](const Pose& p, double) { return p.azimuth > 150 && p.azimuth < 165 && p.radius > 30; }},
    {1 << 6, kAllowHoistDown,
     [](const Pose& p, double) { return p.azimuth > 240 && p.azimuth < 255 && p.radius < 12; }},
    {1 << 7, kAllowBack, [](const Pose& p, double) { return p.travel < 1; }},
    {1 << 8, kAllowForward, [](const Pose& p, double) { return p.travel > 19; }},
};

std::int16_t raw16(double value, double unit) {
    return static_cast<std::int16_t>(std::lround(value / unit));
}

std::array<std::uint8_t, 3> bcdDay(const QDate& d) {
    return {RecordingBuilder::bcd(d.day()), RecordingBuilder::bcd(d.month()),
            RecordingBuilder::bcd(d.year() % 100)};
}

// Draws straight from mt19937, whose sequence the standard fixes; the <random>
// distributions differ between standard libraries and would change the sample.
class Dice {
public:
    explicit Dice(std::uint32_t seed) : gen_(seed) {}
    int between(int lo, int hi) {
        return lo + static_cast<int>(gen_() % static_cast<std::uint32_t>(hi - lo + 1));
    }
    double real(double lo, double hi) { return lo + (hi - lo) * (gen_() / 4294967296.0); }
    bool chance(double p) { return real(0, 1) < p; }

private:
    std::mt19937 gen_;
};

struct Recorded {
    FrameSlot frame;
    int day; // index into the date frames
};

// Plays the crane through working days and keeps every frame the recorder would write.
class Simulation {
public:
    void workDay(const QDate& date);

    [[nodiscard]] const std::vector<Recorded>& frames() const { return frames_; }
    [[nodiscard]] const std::vector<FrameSlot>& dateFrames() const { return dateFrames_; }
    [[nodiscard]] const std::vector<OverloadSlot>& overloads() const { return overloads_; }

private:
    void cycle(bool overload);
    void moveTo(const Pose& to);
    void pause(int seconds);
    void record(std::uint16_t inputs) { frames_.push_back({snapshot(inputs), day_}); }
    [[nodiscard]] FrameSlot snapshot(std::uint16_t inputs);

    Dice dice_{20260312};
    Dice events_{4302}; // faults, set-ups and slinging heights, apart from the crane's work
    Pose pose_;
    double load_ = 0;
    double wind_ = 5;
    double floorLevel_ = 12; // the building grows a little every day
    int dayTemperature_ = 0;
    int seconds_ = 0;    // time of day
    int setupUntil_ = 0; // the limiter is being set up until then (time of day)
    int faultFrom_ = 0, faultUntil_ = 0;
    std::uint8_t faultCode_ = 0;
    int day_ = -1;
    QDate date_;
    std::vector<Recorded> frames_;
    std::vector<FrameSlot> dateFrames_;
    std::vector<OverloadSlot> overloads_;
};

void Simulation::workDay(const QDate& date) {
    date_ = date;
    ++day_;
    seconds_ = 8 * kHour + dice_.between(-300, 600);
    dayTemperature_ = dice_.between(-4, 5);
    wind_ = dice_.real(3, 8);
    floorLevel_ += dice_.real(0.5, 1.5);
    // The limiter is checked on Monday mornings; now and then a sensor drops out for a while.
    setupUntil_ = date.dayOfWeek() == 1 ? seconds_ + 20 * 60 : 0;
    const bool sensorFails = events_.chance(0.5);
    faultFrom_ = events_.between(9 * kHour, 15 * kHour);
    faultUntil_ = sensorFails ? faultFrom_ + events_.between(5, 25) * 60 : faultFrom_;
    faultCode_ = static_cast<std::uint8_t>(events_.chance(0.5) ? 3 : 12);

    // The recorder writes the date when it is switched on in the morning.
    FrameSlot dateFrame = snapshot(kPowerOn);
    dateFrame.mark = kDateFrameMark;
    dateFrame.dateTime = bcdDay(date);
    dateFrames_.push_back(dateFrame);
    frames_.push_back({dateFrame, day_});

    while (seconds_ < 16 * kHour + 45 * 60) {
        if (seconds_ >= 12 * kHour && seconds_ < 13 * kHour)
            seconds_ = 13 * kHour + dice_.between(0, 600); // lunch
        cycle(dice_.chance(0.04));
        // The recorder writes nothing while the crane stands idle.
        seconds_ += dice_.between(240, 1500);
    }
    // Parked for the night: hook up, trolley in.
    moveTo({pose_.travel, floorLevel_ + 15, pose_.azimuth, 6});
}

void Simulation::cycle(bool overload) {
    Pose pick = pose_;
    if (dice_.chance(0.25)) { // on to the next stack along the rails
        pick.travel = std::clamp(pose_.travel + dice_.real(-6, 6), 0.0, 24.0);
        moveTo(pick);
    }
    pick.azimuth = dice_.real(20, 75);
    pick.radius = dice_.real(8, 24);
    moveTo(pick);
    pick.hook = events_.chance(0.15) ? 0.5 : events_.real(0.9, 1.5);
    moveTo(pick);
    pause(dice_.between(30, 90)); // slinging

    Pose drop = pick;
    drop.azimuth = dice_.real(140, 290);
    drop.radius = dice_.real(6, 38);
    drop.hook = floorLevel_ + 0.5;

    if (overload) {
        // Too heavy for this radius: the limiter stops the lift just off the ground, the
        // load goes back down and the slingers take some of it off.
        const int percent = dice_.between(kStopPercent, 125);
        load_ = ratedLoad(pick.radius) * percent / 100.0;
        moveTo({pick.travel, 0.8, pick.azimuth, pick.radius});
        pause(dice_.between(4, 8));
        overloads_.push_back({raw16(pick.radius, 0.01), raw16(ratedLoad(pick.radius), 0.01),
                              static_cast<std::uint8_t>(percent), bcdDay(date_), kLayoutVersion});
        moveTo(pick);
        load_ = 0;
        pause(dice_.between(60, 150));
    }
    // Rated capacity falls with the radius, so a load within the smaller of the two end
    // capacities stays within the rating all the way; light loads are the common ones.
    const double share = dice_.real(0, 1);
    load_ = std::min(ratedLoad(pick.radius), ratedLoad(drop.radius)) * (0.1 + 0.85 * share * share);
    const double transport = drop.hook + dice_.real(3, 6);
    moveTo({pick.travel, transport, pick.azimuth, pick.radius});
    moveTo({drop.travel, transport, drop.azimuth, drop.radius});
    moveTo(drop);
    load_ = 0;
    pause(dice_.between(30, 90)); // unslinging
    moveTo({drop.travel, transport, drop.azimuth, drop.radius});
}

std::uint16_t direction(double delta, std::uint16_t positive, std::uint16_t negative) {
    if (std::abs(delta) < 0.01)
        return 0;
    return delta > 0 ? positive : negative;
}

void Simulation::moveTo(const Pose& to) {
    const Pose from = pose_;
    const double turn = std::fmod(to.azimuth - from.azimuth + 540.0, 360.0) - 180.0; // shortest
    const double duration =
        std::max({std::abs(to.hook - from.hook) / kHoistSpeed,
                  std::abs(to.radius - from.radius) / kTrolleySpeed, std::abs(turn) / kSlewSpeed,
                  std::abs(to.travel - from.travel) / kTravelSpeed});
    const std::uint16_t moving = direction(to.hook - from.hook, kHoistUp, kHoistDown) |
                                 direction(to.radius - from.radius, kTrolleyOut, kTrolleyIn) |
                                 direction(turn, kSlewRight, kSlewLeft) |
                                 direction(to.travel - from.travel, kTravelForward, kTravelBack);
    const std::uint16_t brakes = (moving & (kHoistUp | kHoistDown) ? kHoistBrakeOpen : 0) |
                                 (moving & (kTravelForward | kTravelBack) ? kTravelBrakeOpen : 0) |
                                 (moving & (kSlewRight | kSlewLeft) ? kSlewBrakeOpen : 0);
    for (double t = 0; t < duration;) {
        const int step = dice_.between(3, 6);
        seconds_ += step;
        t = std::min(duration, t + step);
        const double f = t / duration;
        pose_.travel = from.travel + f * (to.travel - from.travel);
        pose_.hook = from.hook + f * (to.hook - from.hook);
        pose_.radius = from.radius + f * (to.radius - from.radius);
        pose_.azimuth = std::fmod(from.azimuth + f * turn + 360.0, 360.0);
        record(kPowerOn | moving | brakes);
    }
    pose_ = to;
}

void Simulation::pause(int seconds) {
    seconds_ += seconds;
    record(kPowerOn);
}

FrameSlot Simulation::snapshot(std::uint16_t inputs) {
    wind_ = std::clamp(wind_ + dice_.real(-0.4, 0.4), 2.0, 12.0);
    const int moment = static_cast<int>(std::lround(100 * load_ / ratedLoad(pose_.radius)));
    const bool overloaded = moment >= kStopPercent;
    const double pi = std::acos(-1.0);
    // Warmest in the early afternoon.
    const double daylight = std::sin(pi * (seconds_ - 8 * kHour) / (9.0 * kHour));

    FrameSlot f;
    f.wind = raw16(wind_, 0.1);
    f.travel = raw16(pose_.travel, 0.01);
    f.hookHeight = raw16(pose_.hook, 0.01);
    f.azimuth = static_cast<std::int16_t>(std::lround(pose_.azimuth * 10) % 3600);
    f.temperature = static_cast<std::int16_t>(dayTemperature_ + std::lround(4 * daylight));
    f.radius = raw16(pose_.radius, 0.01);
    f.force = raw16((load_ + kHookBlockTonnes) * 1000 * dice_.real(0.99, 1.01), 1);
    f.loadMass = raw16(load_, 0.01);
    f.inputs = inputs | (pose_.travel < 0.5 ? kRailStart : 0);
    const bool settingUp = seconds_ < setupUntil_;
    f.limitsEntered = settingUp ? 0 : kAllLimits;
    std::uint16_t stopped = 0;
    for (const Zone& z : kZones) {
        if ((f.limitsEntered & z.limit) && z.reached(pose_, floorLevel_)) {
            f.limitsTriggered |= z.limit;
            stopped |= z.stops;
        }
    }
    if (overloaded)
        stopped |= kAllowHoistUp | kAllowTrolleyOut;
    f.relays = (kAllMovements & ~stopped) | (pose_.hook < floorLevel_ + 14 ? kHookBelowTop : 0) |
               (wind_ < 10 ? kWindBelowLimit : 0) |
               (moment < kWarningPercent ? kSlewFullSpeed | kTrolleyFullSpeed : 0) |
               (overloaded ? 0 : kWithinSetPoints) | (settingUp ? kBlockButton : kWorkMode);
    f.loadMoment = static_cast<std::uint8_t>(moment);
    f.dateTime = {RecordingBuilder::bcd(seconds_ % 60), RecordingBuilder::bcd(seconds_ / 60 % 60),
                  RecordingBuilder::bcd(seconds_ / kHour)};
    f.limitsReached = overloaded               ? kMomentLimitReached
                      : f.limitsTriggered != 0 ? kZoneLimitReached
                                               : 0;
    if (seconds_ >= faultFrom_ && seconds_ < faultUntil_)
        f.health = faultCode_;
    f.mark = kLayoutVersion;
    return f;
}

// Overloads from the years before the frames, oldest first.
std::vector<OverloadSlot> overloadHistory() {
    Dice dice(4301);
    std::vector<OverloadSlot> out;
    for (int k = 0; k < 30; ++k) {
        const QDate date = QDate(2019, 6, 3).addDays(k * 80 + dice.between(0, 60));
        const double radius = dice.real(6, 40);
        const int percent = dice.chance(0.8) ? dice.between(101, 110) : dice.between(111, 125);
        out.push_back({raw16(radius, 0.01), raw16(ratedLoad(radius), 0.01),
                       static_cast<std::uint8_t>(percent), bcdDay(date), kLayoutVersion});
    }
    return out;
}

ServiceBankValues serviceBank(int bank) {
    ServiceBankValues v;
    v.craneNumber = 1287;
    v.craneYear = 2015;
    v.version = kLayoutVersion;
    v.jibKind = 0;        // trolley jib
    v.normativeGroup = 3; // A4
    v.craneModel = QStringLiteral("КБП-472Б");
    v.recorderNumber = QStringLiteral("РП047318");
    v.programMajor = 3;
    v.programMinor = 1;
    v.dateInstalled = RecordingBuilder::recorderDate(QStringLiteral("14.05.19"));
    v.dateParamsChanged = RecordingBuilder::recorderDate(QStringLiteral("21.10.25"));
    v.dateSetupLast = RecordingBuilder::recorderDate(QStringLiteral("21.10.25"));
    v.dateSetupBefore = RecordingBuilder::recorderDate(QStringLiteral("03.04.24"));
    v.characteristicNumber = 1843.6f;
    v.workingCycles = {52310, 41870, 33460, 26120, 19850, 14230, 9870,
                       6410,  3820,  1960,  318,   24,    6,     0};
    v.relativeCycles = {7, 141, 523, 1120, 1809, 2368, 2711, 2704, 2346, 1680, 368, 37, 11, 0};
    v.operatingSeconds = {17352417, 10620233, 11196581, 2304112, 12888950};
    v.motorMinutes = 561037;
    v.liftedMassHundredths = 50412375;
    if (bank == 1) {
        // Банк-1 is written after Банк-0, so a read-out can find it a little behind.
        v.characteristicNumber = 1843.2f;
        v.workingCycles[0] -= 3;
        v.workingCycles[1] -= 1;
        v.operatingSeconds[0] -= 412;
        v.operatingSeconds[4] -= 95;
        v.motorMinutes -= 7;
        v.liftedMassHundredths -= 114;
    }
    return v;
}

// PAR_KRAN of a 50 m trolley jib on 60 m of rails with a 40 m hook height, in the units the
// listing shows.
const std::map<std::string, double>& craneParameterValues() {
    static const std::map<std::string, double> values = {
        {"Rmin = ", 2.5},    {"Rred = ", 16},     {"Rmax = ", 50},        {"Qmax = ", 8},
        {"Qmin = ", 2.56},   {"Mo = ", 128},      {"Qo = ", 0.35},        {"Vmax = ", 15},
        {"Smax = ", 60},     {"Hmax1 = ", 40},    {"Hmax2 = ", 46},       {"Hmin = ", -3},
        {"Qup1 =", 8.4},     {"Qdown1 = ", 0.3},  {"Qup2 =", 4.2},        {"Qdown2 = ", 0.15},
        {"Lo = ", 2.45},     {"Ro = ", 1.2},      {"a0 = ", 0.35},        {"angle = ", 12.5},
        {"number = ", 1287}, {"year = ", 2015},   {"type = ", 472},       {"group = ", 3},
        {"Nro = ", 412},     {"Nr1 = ", 3684},    {"Nao = ", 128},        {"a1 = ", 97},
        {"a2 = ", 103},      {"dRed = ", 15},     {"dRmax = ", 25},       {"Nho = ", 236},
        {"Nh1 = ", 3812},    {"Hkmax2 = ", 4100}, {"dHred = ", 50},       {"dHmax = ", 100},
        {"dHmred = ", 30},   {"dHmmax = ", 60},   {"Nso = ", 515},        {"Ns1 = ", 3540},
        {"Ng1 = ", 2048},    {"Kq = ", 1000},     {"Fho = ", 350},        {"Fh1 = ", 8350},
        {"Kcorr = ", 100},   {"Kcorr2 = ", 98},   {"freg_bell = ", 2400}, {"temper = ", -35},
        {"ngo = ", 3},       {"on = ", 1},
    };
    return values;
}

void writeCraneParameters(RecordingBuilder& b) {
    const ParameterLayout& layout = *craneParameterLayout(kLayoutVersion);
    for (const ParameterSection& section : layout.sections) {
        for (const ParameterField& f : section.fields) {
            const double value = craneParameterValues().at(f.label);
            if (f.kind == FieldKind::f32)
                b.f32le(f.offset, static_cast<float>(value));
            else
                b.u16le(f.offset, static_cast<std::uint16_t>(std::lround(value / f.factor)));
        }
    }
    b.fixBlocks(layout.checksums);
}

std::vector<ZonePoint> zonePoints(const std::vector<std::array<double, 2>>& metres) {
    std::vector<ZonePoint> out;
    for (const auto& p : metres)
        out.push_back({raw16(p[0], 0.01), raw16(p[1], 0.01)});
    return out;
}

// The site in metres, X along the rails from their start, Y across them towards azimuth 90.
void writeProtection(RecordingBuilder& b) {
    const std::vector<std::array<double, 2>> zones[kZoneCount] = {
        // A nine-storey house beyond the end of the rails, its stair tower towards the crane.
        {{100, 22}, {78, 22}, {78, 8}, {74, 8}, {74, -6}, {78, -6}, {78, -30}, {100, -30}},
        // The site fence along the street: no load may swing over the pavement.
        {{-30, 28}, {10, 28}, {14, 31}, {62, 31}, {90, 26}},
        // Site cabins, and the concrete batching plant's bins.
        {{-20, -12}, {-6, -20}},
        {{30, -14}, {52, -24}},
    };
    for (int z = 0; z < kZoneCount; ++z) {
        const ZoneLayout& layout = kZoneLayouts[z];
        const std::vector<ZonePoint> points = zonePoints(zones[z]);
        b.protectionZone(layout.start, static_cast<std::uint16_t>(points.size()), points)
            .fixBlock(layout.start, layout.dataBytes());
    }
    // Slewing from -30 to 330 degrees, radius 48.5 m, hook between 0.5 and 38 m; the hook
    // passes over the cabins above 6 m and over the bins above 3.5 m.
    const double limits[kLimitCount] = {330, -30, 48.5, 38, 0.5, 6, 3.5};
    for (int k = 0; k < kLimitCount; ++k)
        b.u16le(kLimitFields[k].offset,
                static_cast<std::uint16_t>(raw16(limits[k], kLimitFields[k].factor)));
    b.fixBlock(protectBlock().start, protectBlock().length);
}

} // namespace

RecordingBuilder makeSampleRecording() {
    Simulation sim;
    for (QDate d(2026, 3, 2); sim.frames().size() < kFrameCount; d = d.addDays(1)) {
        if (d.dayOfWeek() <= 5)
            sim.workDay(d);
    }
    // The ring holds the newest frames. Its oldest slot gets the date frame of the day they
    // begin in, so that every time in the ring has its date.
    std::vector<Recorded> ring(sim.frames().end() - kFrameCount, sim.frames().end());
    ring.front().frame = sim.dateFrames()[static_cast<std::size_t>(ring.front().day)];
    ring.back().frame.mark = kLastRecordMark;

    RecordingBuilder b;
    for (int k = 0; k < kFrameCount; ++k)
        b.frame((kNewestSlot + 1 + k) % kFrameCount, ring[static_cast<std::size_t>(k)].frame);
    b.framePointer(static_cast<std::uint32_t>(kFrames + kFrameSize * (kNewestSlot + 1)));

    std::vector<OverloadSlot> overloads = overloadHistory();
    overloads.insert(overloads.end(), sim.overloads().begin(), sim.overloads().end());
    overloads.back().mark = kLastRecordMark;
    for (std::size_t k = 0; k < overloads.size(); ++k)
        b.overload(static_cast<int>(k), overloads[k]);

    b.bank(0, serviceBank(0)).bank(1, serviceBank(1));
    const char* const removals[] = {"17.11.20", "09.12.21", "28.02.23", "15.01.25"};
    for (int k = 0; k < kRemovalDateCount; ++k)
        b.removalDate(k, k < 4 ? QString::fromLatin1(removals[k]) : QStringLiteral("00.00.00"));

    writeCraneParameters(b);
    writeProtection(b);
    b.fixAllChecksums(kLayoutVersion);
    // One frame was spoilt in the recorder's memory before the read-out, which summed the
    // image as it found it.
    b.breakBlock(kFrames + kFrameSize * static_cast<std::size_t>(kDamagedSlot), 30).fixImageSum();
    b.operatorBlock(QStringLiteral("Сидоренко А. В."), QStringLiteral("УК-0417/23"),
                    QStringLiteral("ООО «Кранмонтажсервис»"), QStringLiteral("12.03.2026"));
    return b;
}

} // namespace zurval
