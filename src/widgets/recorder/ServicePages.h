#pragma once

#include "core/document/DocumentView.h"
#include "core/recorder/ServiceBank.h"

#include <QWidget>
#include <array>

class QLabel;
class QLineEdit;
class QProgressBar;

namespace zurval {

class RecorderSession;

// "Служебная": identification, operator, duty, mechanism times, removal dates.
// Display only: the edits are read-only so their texts stay readable and selectable.
class ServicePage : public QWidget, public DocumentView {
    Q_OBJECT
public:
    explicit ServicePage(const RecorderSession& session, QWidget* parent = nullptr);

    void clear() override { showTexts(); }
    void show() override { showTexts(); }
    // Every text as the session has it: after the bank commands and a device read too.
    void showTexts();

private:
    const RecorderSession& session_;

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
    explicit LoadSpectrumPage(const RecorderSession& session, QWidget* parent = nullptr);

    void clear() override;
    void show() override;
    // The counters as the session has them; the bank commands change only these.
    void showCounters();

private:
    const RecorderSession& session_;
    std::array<QProgressBar*, kLoadRangeCount> gauges_{};
    std::array<QLineEdit*, kLoadRangeCount> working_{};
    std::array<QLineEdit*, kLoadRangeCount> relative_{};
};

} // namespace zurval
