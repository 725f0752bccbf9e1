#include "core/frames/FrameBrowser.h"

#include "core/common/NumberFormat.h"
#include "core/frames/RecordTexts.h"

namespace zurval {
namespace {

// A limit that acted is shown red where an entered one is lime.
template <std::size_t N>
void colourLabels(const std::array<DetailLabel, N>& labels, std::uint16_t word, DetailView& view,
                  bool limitActed = false) {
    for (const DetailLabel& l : labels) {
        const bool set = bitSet(word, l.bit);
        if (l.coloured)
            view.colours.push_back(
                {l.objectName, set ? (limitActed ? PaletteColour::Red : l.whenSet) : l.whenClear});
        if (l.captionWhenSet)
            view.texts.push_back(
                {l.objectName, QString::fromUtf8(set ? l.captionWhenSet : l.captionWhenClear)});
    }
}

} // namespace

const std::array<const char*, kBrowserRows> kBrowserRowCaptions = {
    "Номер кадра",
    "Ветер                                м/с",
    "Перемещение по путям  м.",
    "Высота подъема крюка  м.",
    "Азимут                           град.",
    "Температура                 град.",
    "Вылет                               м.",
    "Усилие                             кгс.",
    "Масса груза                    т.",
    "Дискретные входы",
    "Выходные реле",
    "Введенные ограничения",
    "Сработавшие ограничения",
    "Момент загрузки           %",
    "Время/Дата",
    "Исправность",
    "Достигнутые ограничения",
    "Метка записи",
    "Контрольная сумма",
};

const std::array<const char*, 5> kDetailBoxNames = {"GB_DV", "GB_DV3", "GB_KZ", "GB_VR",
                                                    "GB_DopInf"};

const std::array<DetailLabel, 16> kInputLabels = {{
    {"Label_D1", "Линейный контактор", 0, PaletteColour::Lime, PaletteColour::BtnFace},
    {"Label_D2", "Реле наличия 3-х фаз", 1, PaletteColour::Lime, PaletteColour::BtnFace},
    {"Label_D3", "Подъем груза", 2, PaletteColour::Lime, PaletteColour::BtnFace},
    {"Label_D4", "4-х кратная запасовка", 3, PaletteColour::Lime, PaletteColour::BtnFace},
    {"Label_D5", "Опускание груза", 4, PaletteColour::Lime, PaletteColour::BtnFace},
    {"Label_D6", "Тормоз груза", 5, PaletteColour::Red, PaletteColour::BtnFace},
    {"Label_D7", "Движение по путям вперед", 6, PaletteColour::Lime, PaletteColour::BtnFace},
    {"Label_D8", "Движение по путям назад", 7, PaletteColour::Lime, PaletteColour::BtnFace},
    {"Label_D9", "Тормоз перемещения по путям", 8, PaletteColour::Red, PaletteColour::BtnFace},
    {"Label_D10", "Поворот вправо", 9, PaletteColour::Lime, PaletteColour::BtnFace},
    {"Label_D11", "Поворот влево", 10, PaletteColour::Lime, PaletteColour::BtnFace},
    {"Label_D12", "Тормоз поворота", 11, PaletteColour::Red, PaletteColour::BtnFace},
    {"Label_D14", "Уменьшение вылета", 13, PaletteColour::Lime, PaletteColour::BtnFace},
    {"Label_D13", "Увеличение вылета", 12, PaletteColour::Lime, PaletteColour::BtnFace},
    {"Label_D15", "Переключение уставок", 14, PaletteColour::Lime, PaletteColour::BtnFace},
    {"Label_D16", "Достигнуто начало пути", 15, PaletteColour::Red, PaletteColour::BtnFace},
}};

const std::array<DetailLabel, 16> kInputLabels3 = {{
    {"Label_DV16", "Резерв", 0, PaletteColour::BtnFace, PaletteColour::BtnFace, false},
    {"Label_DV15", "Резерв", 1, PaletteColour::BtnFace, PaletteColour::BtnFace, false},
    {"Label_DV14", "Линейный контактор", 2, PaletteColour::Lime, PaletteColour::BtnFace},
    {"Label_DV13", "Подъем", 3, PaletteColour::Lime, PaletteColour::BtnFace},
    {"Label_DV12", "Реле наличия 3-х фаз/4-х кратн. зап.", 4, PaletteColour::Lime,
     PaletteColour::BtnFace},
    {"Label_DV11", "Опускание", 5, PaletteColour::Lime, PaletteColour::BtnFace},
    {"Label_DV10", "Передвижение вперед", 6, PaletteColour::Lime, PaletteColour::BtnFace},
    {"Label_DV9", "Передвижение назад", 7, PaletteColour::Lime, PaletteColour::BtnFace},
    {"Label_DV8", "Резерв", 8, PaletteColour::BtnFace, PaletteColour::BtnFace, false},
    {"Label_DV7", "Поворот вправо", 9, PaletteColour::Lime, PaletteColour::BtnFace},
    {"Label_DV6", "Поворот влево", 10, PaletteColour::Lime, PaletteColour::BtnFace},
    {"Label_DV5", "Резерв", 11, PaletteColour::BtnFace, PaletteColour::BtnFace, false},
    {"Label_DV4", "Уменьшение вылета", 12, PaletteColour::Lime, PaletteColour::BtnFace},
    {"Label_DV3", "Увеличение вылета", 13, PaletteColour::Lime, PaletteColour::BtnFace},
    {"Label_DV2", "Резерв", 14, PaletteColour::BtnFace, PaletteColour::BtnFace, false},
    {"Label_DV1", "Достигнуто начало пути", 15, PaletteColour::Red, PaletteColour::BtnFace},
}};

const std::array<DetailLabel, 16> kRelayLabels = {{
    {"Label_Q1", "Подъем груза", 0, PaletteColour::Lime, PaletteColour::Red},
    {"Label_Q2", "Опускание груза", 1, PaletteColour::Lime, PaletteColour::Red},
    {"Label_Q3", "Движение по путям вперед", 2, PaletteColour::Lime, PaletteColour::Red},
    {"Label_Q4", "Движение по путям назад", 3, PaletteColour::Lime, PaletteColour::Red},
    {"Label_Q5", "Поворот вправо", 4, PaletteColour::Lime, PaletteColour::Red},
    {"Label_Q6", "Поворот влево", 5, PaletteColour::Lime, PaletteColour::Red},
    {"Label_Q7", "Увеличение вылета", 6, PaletteColour::Lime, PaletteColour::Red},
    {"Label_Q8", "Уменьшение вылета", 7, PaletteColour::Lime, PaletteColour::Red},
    {"Label_Q9", "Приближение крюка к верхней точке", 8, PaletteColour::Lime, PaletteColour::Red},
    {"Label_Q10", "Ветер/Ограничение скорости вылета", 9, PaletteColour::Lime, PaletteColour::Red},
    {"Label_Q11", "Ограничение скорости поворота", 10, PaletteColour::Lime, PaletteColour::Red},
    {"Label_Q12", "Превышение уставок", 11, PaletteColour::Lime, PaletteColour::Red},
    {"Label_Q13", "Ограничение скорости изм. вылета", 12, PaletteColour::Lime, PaletteColour::Red},
    {"Label_Q14", "Резерв", 13, PaletteColour::Lime, PaletteColour::Red},
    {"Label_Q15", "Работа/Настройка", 14, PaletteColour::Lime, PaletteColour::Red, true, "Работа",
     "Настройка"},
    {"Label_Q16", "Кнопка БЛК", 15, PaletteColour::Red, PaletteColour::Lime},
}};

const std::array<DetailLabel, 9> kLimitLabels = {{
    {"Label_S1", "Координатная защита \"Влево\"", 0, PaletteColour::Lime, PaletteColour::BtnFace},
    {"Label_S2", "Координатная защита \"Вправо\"", 1, PaletteColour::Lime, PaletteColour::BtnFace},
    {"Label_S3", "Координатная защита \"Вылет\"", 2, PaletteColour::Lime, PaletteColour::BtnFace},
    {"Label_S5", "Координатная защита \"Пол\"", 4, PaletteColour::Lime, PaletteColour::BtnFace},
    {"Label_S4", "Координатная защита \"Потолок\"", 3, PaletteColour::Lime, PaletteColour::BtnFace},
    {"Label_S6", "Координатная защита \"Стрела\"", 5, PaletteColour::Lime, PaletteColour::BtnFace},
    {"Label_S7", "Координатная защита \"Крюк\"", 6, PaletteColour::Lime, PaletteColour::BtnFace},
    {"Label_S8", "Координатная защита \"Площадка-1\"", 7, PaletteColour::Lime,
     PaletteColour::BtnFace},
    {"Label_S9", "Координатная защита \"Площадка-2\"", 8, PaletteColour::Lime,
     PaletteColour::BtnFace},
}};

const std::array<ExtraInfoLabel, 7> kExtraInfoLabels = {{
    {"Label_7", 9, "Режим работы 1", "Режим работы 0"},
    {"Label_6", 10, "Нет датчика пути", ""},
    {"Label_5", 11, "Табл. предст. ГХ", ""},
    {"Label_4", 12, "Переконф. реле", ""},
    {"Label_3", 13, "Две лебедки", ""},
    {"Label_2", 14, "Разрешение 4-х кратной", ""},
    {"Label_1", 15, "Переконф. рел. сниж.скор.", ""},
}};

FrameColumn frameColumn(const CycleFrame& f, TemperatureFormat temperature,
                        const SpreadsheetForm* spreadsheet) {
    const QChar separator = spreadsheet != nullptr ? spreadsheet->decimal : QChar();
    auto twoDecimals = [separator](float value) {
        return formatPattern(value, "#0.00", separator);
    };
    auto word = [&f, &spreadsheet](std::uint16_t CycleFrame::*member) {
        return spreadsheet != nullptr && f.decoded ? bitGroupsText(f.*member) : wordText(f, member);
    };
    return {QString::number(f.number),
            twoDecimals(f.wind),
            twoDecimals(f.travel),
            twoDecimals(f.hookHeight),
            twoDecimals(f.azimuth),
            formatPattern(f.temperature, temperature == TemperatureFormat::Whole ? "#0" : "#0.00",
                          separator),
            twoDecimals(f.radius),
            twoDecimals(f.force),
            twoDecimals(f.loadMass),
            word(&CycleFrame::inputs),
            word(&CycleFrame::relays),
            word(&CycleFrame::limitsEntered),
            word(&CycleFrame::limitsTriggered),
            QString::number(f.loadMoment),
            spreadsheet != nullptr ? frameTimeText(f, *spreadsheet) : frameTimeText(f),
            QString::number(f.health),
            QString::number(f.limitsReached),
            QString::number(f.mark),
            checksumText(f)};
}

BrowserColumns browserColumns(const FrameArray& list, const FrameSelection& selection, int start,
                              BrowserFill fill) {
    BrowserColumns columns;
    for (int c = 0; c < kBrowserColumns; ++c) {
        const long long p = static_cast<long long>(start) + c;
        if (p < 0 || p >= kFrameCapacity)
            continue;
        const int k = static_cast<int>(p);
        const CycleFrame& f = selection.entry(list, k);
        FrameColumn& column = columns.cells[static_cast<std::size_t>(c)];
        bool filled = false;
        switch (fill) {
        case BrowserFill::AfterOpening:
            column = frameColumn(f, TemperatureFormat::TwoDecimals);
            filled = true;
            break;
        case BrowserFill::Scrolling:
            // The reset entries behind a short selection are no frames: their column stays
            // empty rather than showing a frame of zeros.
            if (!f.decoded)
                break;
            column = frameColumn(f, TemperatureFormat::Whole);
            filled = true;
            if (f.radius == 0.0f)
                column[kBrowserRowDateTime].clear();
            break;
        case BrowserFill::AfterSelection:
            // Hides the reset entries after a selection of fewer than three frames.
            filled = f.radius != 0.0f;
            if (filled)
                column = frameColumn(f, TemperatureFormat::TwoDecimals);
            break;
        }
        // A reset entry shown with its zeros is no frame to select.
        if (filled && f.decoded)
            columns.frames[static_cast<std::size_t>(c)] = selection.position(k);
    }
    return columns;
}

int detailRowToFollow(int detailMemory) {
    if (detailMemory < kDetailInputs || detailMemory > kDetailLimitsTriggered)
        return -1;
    return kBrowserRowInputs + detailMemory - kDetailInputs;
}

DetailView selectBrowserCell(int row, std::optional<int> frame, bool documentLoaded,
                             int detailMemory, int recorderVersion, const FrameArray& frameList) {
    DetailView view;
    view.detailMemory = detailMemory;
    if (!documentLoaded || !frame || *frame < 0 || *frame >= kFrameCapacity)
        return view;
    const CycleFrame& f = frameList[static_cast<std::size_t>(*frame)];
    view.frameNumberText = QString::number(f.number);
    switch (row) {
    case kBrowserRowInputs:
        view.detailMemory = kDetailInputs;
        if (recorderVersion == 3) {
            view.shownBoxes = {"GB_DV3"};
            colourLabels(kInputLabels3, f.inputs, view);
        } else {
            view.shownBoxes = {"GB_DV"};
            colourLabels(kInputLabels, f.inputs, view);
        }
        break;
    case kBrowserRowRelays:
        view.detailMemory = kDetailRelays;
        view.shownBoxes = {"GB_VR"};
        colourLabels(kRelayLabels, f.relays, view);
        break;
    case kBrowserRowLimitsEntered:
        view.detailMemory = kDetailLimitsEntered;
        view.shownBoxes = {"GB_KZ"};
        colourLabels(kLimitLabels, f.limitsEntered, view);
        if (recorderVersion == 3) {
            view.shownBoxes.push_back("GB_DopInf");
            for (const ExtraInfoLabel& l : kExtraInfoLabels) {
                const bool set = bitSet(f.limitsEntered, l.bit);
                view.texts.push_back(
                    {l.objectName, QString::fromUtf8(set ? l.textWhenSet : l.textWhenClear)});
            }
        }
        break;
    case kBrowserRowLimitsTriggered:
        view.detailMemory = kDetailLimitsTriggered;
        view.shownBoxes = {"GB_KZ"};
        colourLabels(kLimitLabels, f.limitsTriggered, view, true);
        break;
    default:
        break;
    }
    return view;
}

} // namespace zurval
