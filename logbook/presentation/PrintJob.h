#pragma once
// Printing the logbook: dive pages (text, profile or both), a summary list, or the statistics.
// Every item sits in a framed box of 170 x 120 mm; a portrait page holds two boxes, one above
// the other. The job draws on any paged device (the system printer, a PDF file), through a
// TPrintTarget that also names the document and reports why a print failed.
//
//   TPdfPrintTarget pdf(path);                  // A4 portrait; or the window layer's printer
//   TPrintRequest request;
//   request.What = EPrintWhat::TextAndProfile;
//   request.Extend = EPrintExtend::SelectedDives;
//   request.Logbook = &logbook;
//   request.SelectedLines = lines;              // one entry per list line
//   request.FileName = "EXAMPLE.LOG";           // printed in each box's footer
//   TPrintJob job(pdf, request);
//   if (!job.Run(&error)) ShowError(error);     // the platform's reason

#include <QBuffer>
#include <QFont>
#include <QPageLayout>
#include <QString>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "DiveProfile.h"
#include "TResult.h"

class QFontMetrics;
class QPagedPaintDevice;
class QPainter;
class QPdfWriter;
class TDiveCollection;
class TDiveRec;

// The page of a printer in device dots: its physical size, where the printable area starts on
// it (the printer's offset; the painter's origin is there) and the resolution.
struct TPageGeometry {
    int Width = 0;
    int Height = 0;
    int OffsetX = 0;
    int OffsetY = 0;
    double DpiX = 72;
    double DpiY = 72;

    // Millimetres in dots, horizontally and vertically (rounded, ties to even).
    int MmX(double mm) const;
    int MmY(double mm) const;
};

TPageGeometry PageGeometryOf(const QPagedPaintDevice& device);

// One framed box in the painter's coordinates.
struct TPrintBox {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    friend bool operator==(const TPrintBox&, const TPrintBox&) = default;
};

// The upper and the lower box of a page: 170 mm wide, centred; 120 mm high with 10 mm between
// them around the page's middle. The upper box's left and top do not go below 0, the start of
// the printable area.
std::pair<TPrintBox, TPrintBox> ComputePrintBoxes(const TPageGeometry& page);

// The text shortened from its end, one character at a time, until it is at most `maxWidth`
// wide; no ellipsis is added.
QString FitText(const QFontMetrics& metrics, const QString& text, int maxWidth);

// The `What` items of the print dialog and its `Extend` items.
enum class EPrintWhat { TextOnly = 0, ProfileOnly = 1, TextAndProfile = 2, Summary = 3, Statistics = 4 };
enum class EPrintExtend { SelectedDives = 0, WholeLogbook = 1 };

struct TPrintRequest {
    EPrintWhat What = EPrintWhat::TextAndProfile;
    EPrintExtend Extend = EPrintExtend::SelectedDives;
    const TDiveCollection* Logbook = nullptr;
    // One entry per line of the dive list: selected or not.
    std::vector<bool> SelectedLines;
    // Name (without folder) of the logbook file, shown in every box's footer.
    QString FileName;
    // Title of the statistics: the selection was last made by clicking, or else the selection
    // dialog's dates (none when it never opened).
    bool HandSelection = true;
    std::optional<std::pair<QString, QString>> SelectionDates;
};

// Where a job prints: a paged device that can be named and that tells what went wrong.
class TPrintTarget {
public:
    virtual ~TPrintTarget() = default;
    // None when there is nothing to print on; StartFailure then says why.
    virtual QPagedPaintDevice* Device() = 0;
    virtual void SetDocumentTitle(const QString& title) = 0;
    // Why the document could not be started.
    virtual QString StartFailure() const = 0;
    // Called after the last page; a failure says why the document was not completed.
    virtual TResult Finish() = 0;
};

// A PDF file at 600 dots per inch, on A4 portrait paper with the whole sheet printable unless
// another page is given. The file is replaced only when the whole document was written; a
// failed print leaves an existing file untouched.
class TPdfPrintTarget : public TPrintTarget {
public:
    static QPageLayout A4Page();

    explicit TPdfPrintTarget(QString path, const QPageLayout& page = A4Page());
    ~TPdfPrintTarget() override;

    QPagedPaintDevice* Device() override;
    void SetDocumentTitle(const QString& title) override;
    QString StartFailure() const override;
    TResult Finish() override;

private:
    QString m_path;
    QBuffer m_bytes;
    std::unique_ptr<QPdfWriter> m_writer;
};

class TPrintJob {
public:
    static constexpr const char* kDocumentTitle = "Kelvara";

    TPrintJob(TPrintTarget& target, TPrintRequest request);
    ~TPrintJob();
    TPrintJob(const TPrintJob&) = delete;
    TPrintJob& operator=(const TPrintJob&) = delete;

    // Prints every page. A failure names the document or printer and the platform's
    // reason when the document could not be started or completed.
    TResult Run();

    int PagesStarted() const { return m_pages; }
    int BoxesStarted() const { return m_boxes; }
    TPrintBox UpperBox() const { return m_upper; }
    TPrintBox LowerBox() const { return m_lower; }
    // Summary rows that one box holds (computed once per job); 0 before a summary.
    int SummaryRowsPerBox() const { return m_rowsPerBox; }

private:
    void PrintDive(const TDiveRec& dive);
    void StartBox(const QString& heading);
    void PrintDiveText(const TDiveRec& dive);
    void PrintDiveProfile(const TDiveRec& dive);
    void PrintSummary();
    void StartSummaryBox();
    void PrintStatistics();

    bool Counted(std::size_t line) const;
    void UseFont(int pointSize);
    int TextHeight() const;
    int TextWidth(const QString& text) const;
    // Text whose top left corner is at (x, y).
    void TextOut(int x, int y, const QString& text);
    void LineAcross(int y);

    TPrintTarget& m_target;
    TPrintRequest m_request;
    DiveProfile m_profile;
    QPagedPaintDevice* m_device = nullptr;
    std::unique_ptr<QPainter> m_painter;
    TPageGeometry m_page;
    TPrintBox m_upper;
    TPrintBox m_lower;
    TPrintBox m_box;  // the box being filled; its top and bottom move inwards
    int m_boxes = 0;
    int m_pages = 0;
    int m_lineHeight = 0;  // L: text height of the box font

    // Summary columns and rows.
    int m_columns[7] = {};
    int m_rowPitch = 0;
    int m_rowsPerBox = 0;
    int m_row = 0;
};
