#include "ReportTestSupport.h"
#include "core/document/RecorderDocument.h"
#include "render/reports/WorkAreaScheme.h"

#include <QImage>
#include <QPainter>
#include <cmath>
#include <limits>

// Failure messages show texts as they are.
inline std::ostream& operator<<(std::ostream& os, const QString& s) {
    return os << s.toStdString();
}

using namespace zurval;
using namespace zurval::testing;

namespace {

// A word with the given positions (1 to 16, from the first character of its bit text) set.
std::uint16_t positions(std::initializer_list<int> set) {
    std::uint16_t word = 0;
    for (const int p : set)
        word |= static_cast<std::uint16_t>(1u << (16 - p));
    return word;
}

QString named(const report::Document& doc, const char* name) {
    for (const report::Item& item : doc.pages.at(0).items)
        if (const auto* t = std::get_if<report::Text>(&item); t && t->name == name)
            return t->text;
    return QStringLiteral("<no %1>").arg(QString::fromLatin1(name));
}

// Rmax 36, Smax 20, Hmax1 48.5: k = min(322 / 46, 942 / 112) = 7 pixels per metre, so
// x0 = 36 · 7 + 10 = 262, yc = 322 - 10 = 312, the reach r = 252 and a square d = 35;
// kH = 485 / 48.5 = 10. The crane stands at travel 10 (column 332) with its hook at 20 m,
// whose block then lies at row (48.5 - 20) · 10 + 60 = 345.
constexpr int kX0 = 262, kYc = 312, kD = 35, kXs = 332, kW = 1042, kHookBlock = 345;

struct Scheme : ::testing::Test {
    RecorderDocument document;
    ShownTexts shown;

    Scheme() {
        document.craneDimensions = {36, 20, 48.5f};
        shown.service.craneModel = QStringLiteral("КБ-403");
        shown.service.craneNumber = "1234";
        shown.service.recorderNumber = "000777";
        for (int k = 0; k < 8; ++k) {
            CycleFrame& f = frame(k);
            f.number = k;
            f.time = {0x10, static_cast<std::uint8_t>(k), 0x00};
            f.date = {0x15, 0x03, 0x06};
            f.dated = f.decoded = true;
            f.travel = 10;
            f.hookHeight = 20;
            f.radius = 12;
        }
    }
    CycleFrame& frame(int k) { return (*document.cyclic.frameList)[static_cast<std::size_t>(k)]; }
    BuiltReport build(const QString& frameText) {
        shown.shownFrame = frameText;
        return workAreaScheme(shown, document);
    }
    // The picture of frame k as it is drawn in its own pixels before it is put on the page.
    QImage picture(int k) { return printed(k, QRect(QPoint(0, 0), kSchemePictureSize), 1); }
    // The pixels of the picture inside `part` as a printer prints them, `dotsPerPixel` dots
    // to a pixel of the picture.
    QImage printed(int k, const QRect& part, double dotsPerPixel) {
        const BuiltReport built = build(QString::number(k));
        EXPECT_EQ(built.refusal, "");
        QImage image((QSizeF(part.size()) * dotsPerPixel).toSize(), QImage::Format_RGB32);
        image.fill(Qt::cyan); // not a colour of the picture
        for (const report::Item& item : built.pages.pages.at(0).items)
            if (const auto* p = std::get_if<report::Picture>(&item)) {
                EXPECT_EQ(p->size, QSizeF(kSchemePictureSize));
                QPainter painter(&image);
                painter.scale(dotsPerPixel, dotsPerPixel);
                painter.translate(-part.topLeft());
                p->draw(painter);
            }
        return image;
    }
};

// How many pixels of the rectangle (corners included) have exactly that colour.
int count(const QImage& image, QRect r, QColor colour) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += image.pixelColor(x, y) == colour;
    return n;
}
const QColor kBlack(0, 0, 0), kWhite(255, 255, 255), kGrey(128, 128, 128), kRed(255, 0, 0),
    kBlue(0, 0, 255);

} // namespace

TEST_F(Scheme, ListsTheMovementsSinceTheFrameBeforeAndTheLimitsInTheirOrder) {
    const auto allMovements = positions({1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 14});
    const auto allLimits = positions({8, 9, 10, 11, 12, 13, 14, 15, 16});
    struct Case {
        int fr;
        std::uint16_t inputs;
        float change; // of travel, hook height, radius and azimuth since the frame before
        std::uint16_t entered, acted;
        QString moved, enteredList, actedList;
    };
    const Case cases[] = {
        // Frame 0 has no frame before it: nothing is listed, not even "Нет".
        {0, allMovements, 1, allLimits, allLimits, "", "", ""},
        // Slewing left without a change of azimuth is no movement; unnamed limits list nothing.
        {3, positions({6}), 0, positions({1, 7}), 0, "Нет", "Нет", "Нет"},
        {4, allMovements, 1, positions({10}), positions({10}),
         "Путь вперед Тормоз груза Подъем груза Начало пути Тормоз поворота Увеличение вылета "
         "Поворот влево Тормоз пути",
         " Крюк", " Крюк"},
        {7, allMovements, -1, allLimits, positions({8, 13}),
         "Путь назад Тормоз груза Опускание груза Начало пути Тормоз поворота Уменьшение вылета "
         "Поворот вправо Тормоз пути",
         "Площадка-0 Крюк Стрела Потолок Пол Ограничение вылета Поворот вправо Поворот влево "
         "Площадка-1",
         " Потолок Площадка-1"}, // position 13 is the ceiling limit
    };
    for (const Case& c : cases) {
        CycleFrame& f = frame(c.fr);
        f.inputs = c.inputs;
        f.limitsEntered = c.entered;
        f.limitsTriggered = c.acted;
        if (c.fr > 0) {
            const CycleFrame& before = frame(c.fr - 1);
            f.travel = before.travel + c.change;
            f.hookHeight = before.hookHeight + c.change;
            f.radius = before.radius + c.change;
            f.azimuth = before.azimuth + c.change;
        }
        const BuiltReport built = build(QString::number(c.fr));
        ASSERT_EQ(built.refusal, "");
        EXPECT_EQ(named(built.pages, "QRLabel_Move"), c.moved) << c.fr;
        EXPECT_EQ(named(built.pages, "QRLabel_VO"), c.enteredList) << c.fr;
        EXPECT_EQ(named(built.pages, "QRLabel_SO"), c.actedList) << c.fr;
        // Printed, each list stands on its title's line.
        const QString text = pdfText(built.pages);
        EXPECT_EQ(textAfter(text, QStringLiteral("Движения крана:")), c.moved.trimmed()) << c.fr;
        EXPECT_EQ(textAfter(text, QStringLiteral("Активированные ограничения:")),
                  c.enteredList.trimmed())
            << c.fr;
        EXPECT_EQ(textAfter(text, QStringLiteral("Сработавшие ограничения:")),
                  c.actedList.trimmed())
            << c.fr;
    }
}

TEST_F(Scheme, PrintsTheTitleAndTheFramesValuesOnOneLandscapePage) {
    CycleFrame& f = frame(5);
    f.loadMoment = 104;
    f.loadMass = 3.5f;
    f.azimuth = 90;
    f.travel = 10.125f;
    const BuiltReport built = build(QStringLiteral("5"));
    ASSERT_EQ(built.pages.pages.size(), 1u);
    EXPECT_EQ(built.pages.format.orientation, QPageLayout::Landscape);
    EXPECT_TRUE(inOrder(
        pdfText(built.pages),
        {QStringLiteral("Схема расположения крана КБ-403 №1234 на рабочей площадке"),
         QStringLiteral("по данным кадра №5, записанного 10:05:00 15.03.06 в РП ЗУРВАЛ №000777"),
         QStringLiteral("Движения крана:"), QStringLiteral("Процент загрузки: M = 104%"),
         QStringLiteral("Масса груза: Q = 3,50 т"), QStringLiteral("Вылет: R = 12,00 м"),
         QStringLiteral("Высота крюка: H = 20,00 м"),
         QStringLiteral("Положения на путях: S = 10,13 м"), QStringLiteral("Азимут: GA= 90,0 град"),
         QStringLiteral("Квадрат сетки 5 х 5 метров"),
         QStringLiteral("Активированные ограничения:"), QStringLiteral("Нет"),
         QStringLiteral("Сработавшие ограничения:"), QStringLiteral("Нет")}));
}

TEST_F(Scheme, RefusesAFrameTextThatIsNoFrameOfTheList) {
    const QString outside =
        QStringLiteral("Неправильный номер кадра! Кадры нумеруются с 0 по 7167.");
    const std::pair<const char*, QString> cases[] = {
        {"x", "'x' is not a valid integer value"},
        {"", "'' is not a valid integer value"},
        {"2.5", "'2.5' is not a valid integer value"},
        {"-1", outside},
        {"7168", outside},
        {"7167", ""},
    };
    for (const auto& [typed, refusal] : cases) {
        const BuiltReport built = build(QString::fromLatin1(typed));
        EXPECT_EQ(built.refusal, refusal) << typed;
        EXPECT_EQ(built.pages.pages.empty(), !refusal.isEmpty()) << typed;
    }
}

TEST_F(Scheme, PictureHasAFiveMetreGridAroundTheTrackOrigin) {
    const QImage image = picture(1);
    EXPECT_EQ(image.pixelColor(0, 0), kBlack); // the outline
    EXPECT_EQ(image.pixelColor(2, 2), kWhite);
    // Columns every 35 pixels from x0 while right of column 10 and left of the reach's end,
    // x0 + 20 · 7 + 252 = 654; rows every 35 pixels while within r of the axis.
    const QRect band(0, 150, 1, 21); // rows 150..170 cross the columns only
    for (int i = -7; i <= 12; ++i) { // i = -8 would lie left of the picture
        const int x = kX0 + kD * i;
        const bool drawn = i <= 11;
        EXPECT_EQ(count(image, band.translated(x, 0), kGrey) > 0, drawn) << "column " << x;
        EXPECT_EQ(count(image, band.translated(x + kD / 2, 0), kGrey), 0) << "column " << x;
    }
    for (int i = -8; i <= 8; ++i) {
        const int y = kYc + kD * i;
        const QRect row(130, y, 21, 1);
        EXPECT_EQ(count(image, row, kGrey) > 0, i >= -7 && i <= 7) << "row " << y;
        EXPECT_EQ(count(image, row.translated(0, kD / 2), kGrey), 0) << "row " << y;
    }
    // The origin mark: a black cross of 2-pixel lines on the grid's lines through x0 and yc.
    EXPECT_EQ(image.pixelColor(kX0, kYc - 4), kBlack);
    EXPECT_EQ(image.pixelColor(kX0 - 4, kYc), kBlack);
}

TEST_F(Scheme, HookLimitActedDrawsTheHookZoneTrolleyAndSideViewRed) {
    ProtectionZone& hook = document.protection.zones[kHook];
    hook.count = 3; // an open line at Y = 32 m (row 312 - 224 = 88) from X = 0 to X = 20
    hook.x = {0, 20, 20};
    hook.y = {32, 32, 40};
    const QPoint zone(300, 88), trolley(kXs + 12 * 7, kYc), rope(kW - 110, 200);
    struct Case {
        std::uint16_t entered, acted;
        QColor zone, trolleyAndHook;
    };
    const Case cases[] = {
        {positions({10}), positions({10}), kRed, kRed},
        {positions({10}), 0, kBlue, kBlack},
        // A zone that is not switched on is not drawn, even when its limit acted.
        {0, positions({10}), kWhite, kRed},
    };
    for (const Case& c : cases) {
        frame(1).limitsEntered = c.entered;
        frame(1).limitsTriggered = c.acted;
        const QImage image = picture(1);
        EXPECT_EQ(image.pixelColor(zone), c.zone) << c.entered << " " << c.acted;
        EXPECT_EQ(image.pixelColor(trolley), c.trolleyAndHook) << c.entered << " " << c.acted;
        EXPECT_EQ(image.pixelColor(rope), c.trolleyAndHook) << c.entered << " " << c.acted;
    }
}

TEST_F(Scheme, BoomPointsAtTheAzimuthWithTheCounterweightOpposite) {
    // Pixels 100..110 pixels from the slewing centre in a direction (dx, dy), 7 across.
    auto around = [](int dx, int dy) {
        const QPoint c(kXs + 105 * dx, kYc + 105 * dy);
        return dx ? QRect(c.x() - 5, c.y() - 3, 11, 7) : QRect(c.x() - 3, c.y() - 5, 7, 11);
    };
    struct Case {
        float azimuth;
        int dx, dy; // where the boom points, in picture directions
    };
    for (const Case& c : {Case{0, 1, 0}, Case{90, 0, -1}, Case{180, -1, 0}}) {
        frame(1).azimuth = c.azimuth;
        const QImage image = picture(1);
        EXPECT_GT(count(image, around(c.dx, c.dy), kBlack), 0) << c.azimuth;
        EXPECT_EQ(count(image, around(-c.dx, -c.dy), kBlack), 0) << c.azimuth;
        EXPECT_EQ(count(image, around(c.dy, c.dx), kBlack), 0) << c.azimuth;
        // The counterweight, 38 to 50 pixels behind the centre, filled black.
        EXPECT_EQ(image.pixelColor(kXs - 44 * c.dx, kYc - 44 * c.dy), kBlack) << c.azimuth;
    }
}

TEST_F(Scheme, LoadHangsUnderTheHookFromALoadMomentOfFivePercent) {
    for (const int moment : {4, 5}) {
        frame(1).loadMoment = moment;
        // The load box spans rows 70 to 100 below the hook block, columns W - 120 to W - 40.
        EXPECT_EQ(picture(1).pixelColor(kW - 80, kHookBlock + 85), moment >= 5 ? kBlack : kWhite)
            << moment;
    }
}

TEST_F(Scheme, DrawsWithoutAHookRangeOrWithDamagedDimensions) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const CraneDimensions cases[] = {
        {36, 20, 0}, {nan, inf, nan}, {-10, -5, -1}, {3e38f, 3e38f, 1e-38f}};
    for (const CraneDimensions& crane : cases) {
        document.craneDimensions = crane;
        const QImage image = picture(1);
        EXPECT_EQ(image.pixelColor(0, 0), kBlack);
        if (crane.Hmax1 == 0) {
            // No height range: the hook block under the jib, the ground 70 rows below it.
            EXPECT_EQ(image.pixelColor(kW - 80, 130), kBlack);
            EXPECT_EQ(image.pixelColor(kW - 80, 60 + 25), kGrey); // the hook
        }
    }
}

// On paper the hatches are lines about a millimetre apart, each a few printer dots wide, not
// Qt's 8-dot patterns that print as grey.
TEST_F(Scheme, PrintedHatchesAreLinesAboutAMillimetreApart) {
    const double dotsPerPixel = 277.0 / 1047 * 600 / 25.4; // the picture's pixel at 600 dpi
    const double dotsPerMm = 600 / 25.4;
    // A row through the upper rail band, between its edge and the rail.
    const QImage row = printed(1, QRect(300, kYc - 18, 40, 1), dotsPerPixel);
    std::vector<int> starts, widths;
    for (int x = 0, y = row.height() / 2; x < row.width(); ++x) {
        if (qGray(row.pixel(x, y)) >= 128)
            continue;
        if (x == 0 || qGray(row.pixel(x - 1, y)) >= 128) {
            starts.push_back(x);
            widths.push_back(0);
        }
        ++widths.back();
    }
    ASSERT_GE(starts.size(), 8u);
    for (std::size_t i = 1; i < starts.size(); ++i)
        EXPECT_NEAR((starts[i] - starts[i - 1]) / dotsPerMm, 1.0, 0.2) << i;
    for (int w : widths)
        EXPECT_GE(w, 2);
}

TEST_F(Scheme, ALoadOnTheGroundLiesOverTheGroundsHatch) {
    frame(1).hookHeight = 0;
    frame(1).loadMoment = 50;
    // Hook block at row 485 + 60; the ground band from row 615, the load box from 615 to 645
    // between columns 922 and 1002.
    const QRect overlap(930, 617, 60, 6);
    EXPECT_EQ(count(picture(1), overlap, kBlack), overlap.width() * overlap.height());
}
