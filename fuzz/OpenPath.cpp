#include "OpenPath.h"

#include "core/document/ShownTexts.h"
#include "core/frames/FrameBrowser.h"
#include "core/frames/FrameCharts.h"
#include "core/frames/OverloadTable.h"
#include "core/recorder/FileMap.h"
#include "core/recorder/ServiceTexts.h"
#include "render/protection/ProtectionPicture.h"
#include "render/reports/Reports.h"

#include <QPainter>
#include <QPicture>
#include <algorithm>

namespace zurval {
namespace {

// What the pages fill in after an open: the classification texts, the browser and the
// overload table at their first and last window, and every line and mark row of the charts.
void fillPages(const RecorderDocument& d) {
    const CyclicRecords& c = d.cyclic;
    [[maybe_unused]] const DutyTexts duty = dutyTexts(d.duty);
    for (const int start : {0, kBrowserScrollMaximum})
        for (const BrowserFill fill : {BrowserFill::AfterOpening, BrowserFill::Scrolling})
            [[maybe_unused]] const BrowserColumns columns =
                browserColumns(*c.frameList, *c.frameSelection, start, fill);
    for (const int start : {0, kOverloadScrollMaximum})
        for (const OverloadFill fill : {OverloadFill::AfterOpening, OverloadFill::Scrolling})
            [[maybe_unused]] const OverloadColumns columns = overloadColumns(
                *c.overloadList, *c.overloadSelection, start, fill, d.recorderVersion);
    const ServicePageTexts service = servicePageTexts(d.service);
    [[maybe_unused]] const QString titles = parameterChartTitle(service) + relayChartTitle(service);
    for (const ParameterSeries& series : kParameterSeries)
        [[maybe_unused]] const LinePoints points = parameterPoints(*c.frameList, series);
    for (const RelaySeries& series : kRelaySeries)
        [[maybe_unused]] const std::vector<RelayMark> marks = relayMarks(*c.frameList, series);
}

QImage protectionPicture(const RecorderDocument& d, int frame, ProtectionScales& scales) {
    // The view fits its scales anew at every drawing, starting from the last ones.
    scales = fitScales(scales, d.craneDimensions, kProtectionPictureArea);
    return renderProtectionFrame(
        kProtectionPictureArea, d.cyclic.frameList->at(static_cast<std::size_t>(frame)),
        d.craneDimensions, d.protection.zones, d.protection.limits, scales);
}

// The four reports built, the lists over a stretch of entries from the chosen frame that
// runs over a page, so that a run stays short; the first page of each painted into a
// recording of paint commands. Every page is painted by the same code, and the PDF engine's
// compression and font embedding are Qt's own work: painting them all, into a PDF, took
// three quarters of an execution. The number of pages built.
int printReports(const RecorderDocument& d, int frame) {
    ShownTexts shown;
    shown.show(d);
    shown.shownFrame = QString::number(frame);
    const PrintRange frames{frame, std::min(frame + 40, filemap::kFrameCount - 1)};
    const int record = frame % filemap::kOverloadCount;
    const PrintRange records{record, std::min(record + 100, filemap::kOverloadCount - 1)};
    int pages = 0;
    for (const auto& [kind, range] :
         {std::pair{ReportKind::InformationCard, frames}, std::pair{ReportKind::Scheme, frames},
          std::pair{ReportKind::Operational, frames}, std::pair{ReportKind::Overloads, records}}) {
        const BuiltReport report = buildReport(kind, shown, d, range);
        if (!report.refusal.isEmpty())
            continue;
        QPicture page;
        QPainter painter(&page);
        report::renderPage(report.pages, 0, painter);
        pages += static_cast<int>(report.pages.pages.size());
    }
    return pages;
}

} // namespace

OpenPathRun runOpenPath(const std::uint8_t* data, std::size_t size, RecorderDocument& document,
                        OpenPathSteps steps) {
    document.clearDecoded();
    document.craneDimensions = {};
    OpenPathRun run;
    RecorderFile file;
    file.fileSize = size;
    file.bytes.assign(data, data + std::min(size, filemap::kMapEnd));
    run.outcome = decodeRecording(file, document);
    fillPages(document);
    // Банк-0 and Банк-1 decode one bank anew from the same bytes.
    for (const int bank : {0, 1})
        [[maybe_unused]] const ServicePageTexts texts =
            servicePageTexts(decodeSingleBank(file.reader(), bank));
    if (steps == OpenPathSteps::Decoding)
        return run;

    ProtectionScales scales; // as the track bars start
    run.oldestPicture = protectionPicture(document, 0, scales);
    const ByteReader r = file.reader();
    const std::size_t read = file.bytes.size();
    run.chosenFrame = (read >= 2 ? r.u16le(read - 2) : 0) % filemap::kFrameCount;
    run.chosenPicture = protectionPicture(document, run.chosenFrame, scales);

    run.reportPages = printReports(document, run.chosenFrame);
    return run;
}

} // namespace zurval
