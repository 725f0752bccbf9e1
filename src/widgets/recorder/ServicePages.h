#pragma once

#include "DocumentView.h"
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
class ServicePage : public QWidget, public DocumentView {
    Q_OBJECT
public:
    explicit ServicePage(QWidget* parent = nullptr);

    void clear() override;
    void show(const RecorderDocument& document) override;
    // The bank commands change only the bank's own fields.
    void showService(const ServicePageTexts& t);
    // Edit_Name, Edit_NUd, Edit_Org, Edit_DataSch: the device reads write them to the file
    // they save, and the operator dialog and the ВРЛ-3 reading date change them.
    [[nodiscard]] OperatorBlock operatorTexts() const;
    void showOperator(const OperatorBlock& op);

private:
    void showClassification(const DutyClassification& d);

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
class LoadSpectrumPage : public QWidget, public DocumentView {
    Q_OBJECT
public:
    explicit LoadSpectrumPage(QWidget* parent = nullptr);

    void clear() override;
    void show(const RecorderDocument& document) override;
    // The bank commands change only the counters.
    void showCounters(const ServicePageTexts& t);

private:
    std::array<QProgressBar*, kLoadRangeCount> gauges_{};
    std::array<QLineEdit*, kLoadRangeCount> working_{};
    std::array<QLineEdit*, kLoadRangeCount> relative_{};
};

} // namespace zurval
