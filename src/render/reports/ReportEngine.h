#pragma once

#include <QColor>
#include <QLineF>
#include <QPageLayout>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <functional>
#include <variant>
#include <vector>

class QFont;
class QPainter;

// A small banded page engine: a layout function fills bands, the bands are flowed into pages
// of positioned items, and one renderer paints any page on any QPainter (print preview,
// printer, PDF file, image). Every length is in millimetres from the paper's top left corner.
namespace zurval::report {

// The layouts are drawn in Arial; Liberation Sans has its metrics.
inline constexpr const char* kFontFamily = "Liberation Sans";

struct Font {
    double points = 10;
    bool bold = false;
    bool italic = false;
};
[[nodiscard]] QFont qfont(const Font& font);
// How wide a text prints, for placing a value after its title.
[[nodiscard]] double textWidthMm(const Font& font, const QString& text);

// A label, a line of a memo or one piece of a tabbed line.
struct Text {
    QRectF box;
    QString text;
    Font font;
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
    bool wrap = false;   // breaks at blanks inside the box
    bool framed = false; // a thin frame around the box
    QColor colour = Qt::black;
    QString name = {}; // the component it plays (QRLabel_MaxM...), for finding it again
    // Filled behind a text that is not empty, so that it stays readable over a picture.
    QColor background = Qt::transparent;
};

struct Rule {
    QLineF line;
    double widthMm = 0.2;
};

// A drawing made by a callback: it paints in its own coordinates, 0..size, and the renderer
// scales them into the box.
struct Picture {
    QRectF box;
    QSizeF size;
    std::function<void(QPainter&)> draw;
};

using Item = std::variant<Text, Rule, Picture>;

struct PageFormat {
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    double marginMm = 10;                     // on every side
    [[nodiscard]] QSizeF paperMm() const;     // A4 in the orientation
    [[nodiscard]] QRectF printableMm() const; // inside the margins
};

struct Page {
    std::vector<Item> items;
};

struct Document {
    PageFormat format;
    std::vector<Page> pages;
};

// A strip across the printable width; its items are placed from the strip's top left corner.
struct Band {
    double heightMm = 0;
    std::vector<Item> items;
};

// A multi-line column of a detail: the memos of one detail stretch together, line by line,
// so their lines stay side by side also where the detail breaks onto the next page.
struct Memo {
    double leftMm = 0;
    double widthMm = 0;
    Qt::Alignment align = Qt::AlignLeft;
    Font font;
    QStringList lines;
};

// A tab stop from the left of a tabbed line: the text after the tab starts at it (left) or
// ends at it (right).
struct TabStop {
    double mm = 0;
    bool right = false;
};

// One line of tab-separated texts, each piece placed at its stop inside box.
[[nodiscard]] std::vector<Item> tabbedLine(const QRectF& box, const QString& line,
                                           const std::vector<TabStop>& stops, const Font& font);

// Items moved by an offset (a band placed on a page).
[[nodiscard]] Item shifted(const Item& item, QPointF byMm);

// Flows details into pages: every page starts with the page header and ends with the page
// footer, and a detail that does not fit under the details already on a page opens the next.
class BandedReport {
public:
    explicit BandedReport(PageFormat format);

    void setPageHeader(Band header);
    // Made for each page when it is closed, with its number from 1.
    void setPageFooter(std::function<Band(int pageNumber)> footer);

    void addDetail(Band detail);
    // The next detail starts a page of its own.
    void breakPage();
    // One detail per line of the longest memo, holding that line of every memo.
    void addMemos(const std::vector<Memo>& memos, double lineHeightMm);

    // The pages; at least one, with its header and footer, when there was no detail.
    [[nodiscard]] Document finish();

private:
    void openPage();
    void closePage();

    Document document_;
    Band header_;
    std::function<Band(int)> footer_;
    double footerHeightMm_ = 0;
    bool pageOpen_ = false;
    double y_ = 0; // where the next detail goes on the open page
};

// Paints one page on painter, whose device is a sheet of paper of the document's format:
// lengths follow the device's resolution, the origin is the paper's corner.
void renderPage(const Document& document, int pageIndex, QPainter& painter);

// The paper for a printer or a PDF writer: the format's size and orientation, no margins of
// its own (the pages carry theirs).
[[nodiscard]] QPageLayout pageLayout(const PageFormat& format);

// Writes every page as PDF to an open device; false when the pages cannot be drawn.
[[nodiscard]] bool writePdf(const Document& document, QIODevice& device);
// Writes every page to a PDF file. The file appears complete or not at all; false and *error
// when it cannot be written.
[[nodiscard]] bool writePdf(const Document& document, const QString& path,
                            QString* error = nullptr);

} // namespace zurval::report
