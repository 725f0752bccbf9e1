#include "render/reports/ReportEngine.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <algorithm>

namespace zurval::report {
namespace {

template <class... Ts> struct overloaded : Ts... { using Ts::operator()...; };
template <class... Ts> overloaded(Ts...) -> overloaded<Ts...>;

bool operator==(const Font& a, const Font& b) {
    return a.points == b.points && a.bold == b.bold && a.italic == b.italic;
}

// Millimetres to the pixels of the painter's device.
struct DeviceScale {
    double x;
    double y;
    [[nodiscard]] QRectF rect(const QRectF& mm) const {
        return {mm.x() * x, mm.y() * y, mm.width() * x, mm.height() * y};
    }
    [[nodiscard]] QPointF point(const QPointF& mm) const { return {mm.x() * x, mm.y() * y}; }
};

constexpr double kMmPerInch = 25.4;

} // namespace

QFont qfont(const Font& font) {
    QFont f(QString::fromLatin1(kFontFamily));
    f.setPointSizeF(font.points);
    f.setBold(font.bold);
    f.setItalic(font.italic);
    return f;
}

double textWidthMm(const Font& font, const QString& text) {
    // Measured at a printer's resolution, where hinting no longer rounds the advances.
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_Mono);
        image.setDotsPerMeterX(47244); // 1200 dpi
        image.setDotsPerMeterY(47244);
        return image;
    }();
    const QFontMetricsF metrics(qfont(font), &device);
    return metrics.horizontalAdvance(text) / device.logicalDpiX() * kMmPerInch;
}

QSizeF PageFormat::paperMm() const {
    const QSizeF a4 = QPageSize(QPageSize::A4).size(QPageSize::Millimeter);
    return orientation == QPageLayout::Landscape ? a4.transposed() : a4;
}

QRectF PageFormat::printableMm() const {
    return QRectF(QPointF(0, 0), paperMm()).adjusted(marginMm, marginMm, -marginMm, -marginMm);
}

std::vector<Item> tabbedLine(const QRectF& box, const QString& line,
                             const std::vector<TabStop>& stops, const Font& font) {
    QStringList pieces = line.split(QLatin1Char('\t'));
    // Pieces past the last stop stay with the last piece.
    const auto placed = static_cast<qsizetype>(stops.size()) + 1;
    if (pieces.size() > placed) {
        const QStringList rest = pieces.mid(placed - 1);
        pieces = pieces.mid(0, placed - 1);
        pieces << rest.join(QLatin1Char(' '));
    }
    std::vector<Item> items;
    for (qsizetype k = 0; k < pieces.size(); ++k) {
        if (pieces[k].isEmpty())
            continue;
        const double previous = k >= 2 ? stops[k - 2].mm : 0;
        const double at = k >= 1 ? stops[k - 1].mm : 0;
        const bool right = k >= 1 && stops[k - 1].right;
        const double next = k < static_cast<qsizetype>(stops.size()) ? stops[k].mm : box.width();
        const double left = right ? previous : at;
        const double width = std::max(0.0, (right ? at : next) - left);
        Text t{QRectF(box.left() + left, box.top(), width, box.height()), pieces[k], font};
        t.align = (right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
        items.emplace_back(std::move(t));
    }
    return items;
}

Item shifted(const Item& item, QPointF byMm) {
    return std::visit(overloaded{
                          [byMm](Text t) -> Item {
                              t.box.translate(byMm);
                              return t;
                          },
                          [byMm](Rule r) -> Item {
                              r.line.translate(byMm);
                              return r;
                          },
                          [byMm](Picture p) -> Item {
                              p.box.translate(byMm);
                              return p;
                          },
                      },
                      item);
}

BandedReport::BandedReport(PageFormat format) {
    document_.format = format;
}

void BandedReport::setPageHeader(Band header) {
    header_ = std::move(header);
}

void BandedReport::setPageFooter(std::function<Band(int)> footer) {
    footer_ = std::move(footer);
    footerHeightMm_ = footer_ ? footer_(1).heightMm : 0;
}

void BandedReport::openPage() {
    const QRectF printable = document_.format.printableMm();
    document_.pages.emplace_back();
    for (const Item& item : header_.items)
        document_.pages.back().items.push_back(shifted(item, printable.topLeft()));
    y_ = printable.top() + header_.heightMm;
    pageOpen_ = true;
}

void BandedReport::closePage() {
    if (footer_) {
        const QRectF printable = document_.format.printableMm();
        const Band footer = footer_(static_cast<int>(document_.pages.size()));
        const QPointF at(printable.left(), printable.bottom() - footer.heightMm);
        for (const Item& item : footer.items)
            document_.pages.back().items.push_back(shifted(item, at));
    }
    pageOpen_ = false;
}

void BandedReport::addDetail(Band detail) {
    const QRectF printable = document_.format.printableMm();
    const double bottom = printable.bottom() - footerHeightMm_;
    const double firstDetailTop = printable.top() + header_.heightMm;
    if (pageOpen_ && y_ + detail.heightMm > bottom + 1e-9 && y_ > firstDetailTop) {
        closePage();
        openPage();
    }
    if (!pageOpen_)
        openPage();
    for (const Item& item : detail.items)
        document_.pages.back().items.push_back(shifted(item, QPointF(printable.left(), y_)));
    y_ += detail.heightMm;
}

void BandedReport::breakPage() {
    if (pageOpen_)
        closePage();
}

void BandedReport::addMemos(const std::vector<Memo>& memos, double lineHeightMm) {
    qsizetype lines = 0;
    for (const Memo& m : memos)
        lines = std::max(lines, m.lines.size());
    for (qsizetype i = 0; i < lines; ++i) {
        Band row{lineHeightMm, {}};
        for (const Memo& m : memos) {
            if (i >= m.lines.size() || m.lines[i].isEmpty())
                continue;
            Text t{QRectF(m.leftMm, 0, m.widthMm, lineHeightMm), m.lines[i], m.font};
            t.align = m.align | Qt::AlignVCenter;
            row.items.emplace_back(std::move(t));
        }
        addDetail(std::move(row));
    }
}

Document BandedReport::finish() {
    if (!pageOpen_)
        openPage();
    closePage();
    Document done = std::move(document_);
    document_ = Document{done.format, {}};
    return done;
}

void renderPage(const Document& document, int pageIndex, QPainter& painter) {
    if (pageIndex < 0 || pageIndex >= static_cast<int>(document.pages.size()))
        return;
    const QPaintDevice* device = painter.device();
    const DeviceScale scale{device->logicalDpiX() / kMmPerInch, device->logicalDpiY() / kMmPerInch};
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    Font current{-1}; // no font set yet
    for (const Item& item : document.pages[pageIndex].items) {
        std::visit(overloaded{
                       [&](const Text& t) {
                           const QRectF box = scale.rect(t.box);
                           if (t.framed) {
                               painter.setPen(QPen(Qt::black, 0.2 * scale.x));
                               painter.drawRect(box);
                           }
                           if (t.text.isEmpty())
                               return;
                           if (t.background.alpha() > 0)
                               painter.fillRect(box, t.background);
                           if (!(current == t.font)) {
                               painter.setFont(qfont(t.font));
                               current = t.font;
                           }
                           painter.setPen(t.colour);
                           const int flags = static_cast<int>(t.align) | Qt::TextDontClip |
                                             (t.wrap ? Qt::TextWordWrap : 0);
                           painter.drawText(box, flags, t.text);
                       },
                       [&](const Rule& r) {
                           painter.setPen(QPen(Qt::black, r.widthMm * scale.x));
                           painter.drawLine(scale.point(r.line.p1()), scale.point(r.line.p2()));
                       },
                       [&](const Picture& p) {
                           if (!p.draw || p.size.isEmpty())
                               return;
                           const QRectF box = scale.rect(p.box);
                           painter.save();
                           painter.translate(box.topLeft());
                           painter.scale(box.width() / p.size.width(),
                                         box.height() / p.size.height());
                           painter.setClipRect(QRectF(QPointF(0, 0), p.size));
                           p.draw(painter);
                           painter.restore();
                           current = Font{-1};
                       },
                   },
                   item);
    }
    painter.restore();
}

QPageLayout pageLayout(const PageFormat& format) {
    return QPageLayout(QPageSize(QPageSize::A4), format.orientation, QMarginsF(0, 0, 0, 0),
                       QPageLayout::Millimeter);
}

bool writePdf(const Document& document, QIODevice& device) {
    QPdfWriter writer(&device);
    writer.setCreator(QStringLiteral("zurval"));
    writer.setPageLayout(pageLayout(document.format));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    for (int i = 0; i < static_cast<int>(document.pages.size()); ++i) {
        if (i > 0)
            writer.newPage();
        renderPage(document, i, painter);
    }
    return painter.end();
}

bool writePdf(const Document& document, const QString& path, QString* error) {
    auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    if (!writePdf(document, file))
        return fail(QStringLiteral("cannot draw the pages"));
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

} // namespace zurval::report
