#pragma once

#include "core/frames/RecordTexts.h"
#include "core/protection/SettingsTexts.h"
#include "core/recorder/RecorderFile.h"
#include "core/recorder/ServiceTexts.h"

#include <QString>
#include <QStringList>

namespace zurval {

struct RecorderDocument;

// The texts the pages show of a recording, as the user sees them now: the open command
// makes them, the clearing puts back its defaults (and leaves some as they were), the bank
// commands replace the bank's own fields, a device read the operator's. The pages copy
// them into their controls; the reports print them.
struct ShownTexts {
    OperatorBlock operatorTexts; // Edit_Name, Edit_NUd, Edit_Org, Edit_DataSch
    ServicePageTexts service;  // the bank's fields on "Служебная" and "Наработка"
    QString liftedMass;        // Label_QSumm
    DutyTexts duty;            // Label_NHarch, Label_KIspU, Label_KNag, Label_RezhQ, Label_RezhA
    OverloadSummary overloads; // Label_MaxM, Label_LastM: each shown while it says something
    QStringList listing;       // RE_Param, one line each
    ProtectionPageTexts protection; // "Настройки": the zones, their counts, the limits
    QString shownFrame;             // Edit_nz_KZ: the frame of the protection view, typed or drawn

    // What the pages show before the first file and after Очистить.
    void clear();
    // What the open command shows of a freshly decoded document.
    void show(const RecorderDocument& document);
};

} // namespace zurval
