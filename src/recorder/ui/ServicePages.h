#pragma once

#include "DutyClassification.h"
#include "RecorderFile.h"
#include "ServiceBank.h"

#include <QWidget>
#include <array>

class QLabel;
class QLineEdit;
class QProgressBar;

namespace zurval {

// "Служебная": identification, operator, duty, mechanism times, removal dates.
// Display only: the edits are read-only so their texts stay readable and selectable.
class ServicePage : public QWidget {
    Q_OBJECT
public:
    explicit ServicePage(QWidget* parent = nullptr);

    void clearOperator();
    void clearService(); // every other control of the page that the clearing resets
    void showOperator(const OperatorBlock& op);
    void showService(const ServicePageTexts& t);
    void showLiftedMass(const QString& text);
    void showClassification(const DutyClassification& d);

private:
    QLineEdit *Edit_MarkaKr, *Edit_NKr, *Edit_ModRP, *Edit_IspKr, *Edit_GodKr, *Edit_VProg,
        *Edit_NRP, *Edit_DataUst, *Edit_DataIzm, *Edit_DataN1, *Edit_DataN0;
    QLineEdit *Edit_Name, *Edit_NUd, *Edit_Org, *Edit_DataSch;
    QLineEdit *Edit_GRKr, *Edit_HarCh;
    QLabel *Label_RezhA, *Label_KIspU, *Label_RezhQ, *Label_KNag, *Label_NHarch, *Label_QSumm;
    std::array<QLineEdit*, kOperatingTimeCount> timeEdits_{};
    QLineEdit* Edit_TimeAll;
    std::array<QLineEdit*, 10> removalDateEdits_{};
};

// "Наработка": per load range its caption, gauge and the two counters.
class LoadSpectrumPage : public QWidget {
    Q_OBJECT
public:
    explicit LoadSpectrumPage(QWidget* parent = nullptr);

    void clearGauges();
    void clearCounters();
    void showCounters(const ServicePageTexts& t);
    void showGauges(const std::array<int, kLoadRangeCount>& percent);

private:
    std::array<QProgressBar*, kLoadRangeCount> gauges_{};
    std::array<QLineEdit*, kLoadRangeCount> working_{};
    std::array<QLineEdit*, kLoadRangeCount> relative_{};
};

} // namespace zurval
