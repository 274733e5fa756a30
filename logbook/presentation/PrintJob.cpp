#include "PrintJob.h"

#include <QDate>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <utility>

#include "Cp1252.h"
#include "DataPanelDesign.h"
#include "Language.h"
#include "Messages.h"
#include "PrintTexts.h"
#include "ProfilePlot.h"
#include "ProfileReadout.h"
#include "SaveFile.h"
#include "SaveTexts.h"
#include "Statistics.h"
#include "StatisticsPanel.h"
#include "TDateFormat.h"
#include "TDiveCollection.h"
#include "TimeFormat.h"
#include "UnitFormat.h"

namespace {

constexpr int kBoxFontSize = 11;
constexpr int kProfileFontSize = 9;
constexpr int kPenWidth = 3;
constexpr int kMemoLines = 6;
constexpr int kPdfResolution = 600;
const QString kBoxFontFamily = QStringLiteral("Arial");

int Round(double v) { return static_cast<int>(std::nearbyint(v)); }

}  // namespace

int TPageGeometry::MmX(double mm) const { return Round(DpiX / 25.4 * mm); }
int TPageGeometry::MmY(double mm) const { return Round(DpiY / 25.4 * mm); }

TPageGeometry PageGeometryOf(const QPagedPaintDevice& device) {
    TPageGeometry g;
    g.DpiX = device.logicalDpiX();
    g.DpiY = device.logicalDpiY();
    const QPageLayout layout = device.pageLayout();
    const QRectF paper = layout.fullRectPoints();
    const QRectF printable = layout.paintRectPoints();
    // Points are 1/72 inch.
    g.Width = Round(paper.width() / 72.0 * g.DpiX);
    g.Height = Round(paper.height() / 72.0 * g.DpiY);
    g.OffsetX = Round((printable.left() - paper.left()) / 72.0 * g.DpiX);
    g.OffsetY = Round((printable.top() - paper.top()) / 72.0 * g.DpiY);
    return g;
}

std::pair<TPrintBox, TPrintBox> ComputePrintBoxes(const TPageGeometry& page) {
    const int midX = page.Width / 2;
    const int midY = page.Height / 2;
    TPrintBox upper;
    upper.Left = std::max(0, midX - page.MmX(85) - page.OffsetX);
    upper.Right = midX + page.MmX(85) - page.OffsetX;
    upper.Top = std::max(0, midY - page.MmY(125) - page.OffsetY);
    upper.Bottom = midY - page.MmY(5) - page.OffsetY;
    TPrintBox lower;
    lower.Left = midX - page.MmX(85) - page.OffsetX;
    lower.Right = upper.Right;
    lower.Top = midY + page.MmY(5) - page.OffsetY;
    lower.Bottom = midY + page.MmY(125) - page.OffsetY;
    return {upper, lower};
}

QString FitText(const QFontMetrics& metrics, const QString& text, int maxWidth) {
    QString fitted = text;
    while (!fitted.isEmpty() && metrics.horizontalAdvance(fitted) > maxWidth) fitted.chop(1);
    return fitted;
}

QPageLayout TPdfPrintTarget::A4Page() {
    return {QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter};
}

TPdfPrintTarget::TPdfPrintTarget(QString path, const QPageLayout& page) : m_path(std::move(path)) {
    // The document is collected in memory and saved whole at the end, through the one save
    // routine: an existing file is replaced only by a complete document.
    m_bytes.open(QIODevice::WriteOnly);
    m_writer = std::make_unique<QPdfWriter>(&m_bytes);
    m_writer->setResolution(kPdfResolution);
    m_writer->setPageLayout(page);
    m_writer->setCreator(QStringLiteral("Kelvara"));
}

TPdfPrintTarget::~TPdfPrintTarget() = default;

QPagedPaintDevice* TPdfPrintTarget::Device() { return m_writer.get(); }

void TPdfPrintTarget::SetDocumentTitle(const QString& title) {
    if (m_writer) m_writer->setTitle(title);
}

QString TPdfPrintTarget::StartFailure() const {
    return PrintText(EPrintText::DocumentNotStarted, CurrentLanguage()).arg(m_path);
}

TResult TPdfPrintTarget::Finish() {
    const TSaveResult saved = SaveFile(m_path, m_bytes.data());
    if (saved.Ok()) return {};
    return TResult::Failure(QStringLiteral("%1: %2").arg(m_path, SaveReasonText(saved)));
}

TPrintJob::TPrintJob(TPrintTarget& target, TPrintRequest request)
    : m_target(target), m_request(std::move(request)) {}

TPrintJob::~TPrintJob() = default;

bool TPrintJob::Counted(std::size_t line) const {
    return m_request.Extend == EPrintExtend::WholeLogbook ||
           (line < m_request.SelectedLines.size() && m_request.SelectedLines[line]);
}

TResult TPrintJob::Run() {
    m_device = m_target.Device();
    if (!m_device) return TResult::Failure(m_target.StartFailure());
    m_target.SetDocumentTitle(QString::fromLatin1(kDocumentTitle));
    m_device->setPageOrientation(QPageLayout::Portrait);
    m_page = PageGeometryOf(*m_device);
    std::tie(m_upper, m_lower) = ComputePrintBoxes(m_page);
    m_boxes = 0;
    m_pages = 0;
    m_rowsPerBox = 0;
    m_painter = std::make_unique<QPainter>();
    if (!m_painter->begin(m_device)) {
        m_painter.reset();
        return TResult::Failure(m_target.StartFailure());
    }
    m_pages = 1;
    switch (m_request.What) {
        case EPrintWhat::Summary:
            PrintSummary();
            break;
        case EPrintWhat::Statistics:
            PrintStatistics();
            break;
        default:
            if (m_request.Logbook)
                for (std::size_t i = 0; i < m_request.Logbook->Count(); ++i)
                    if (Counted(i)) PrintDive(m_request.Logbook->At(i));
            break;
    }
    m_painter->end();
    m_painter.reset();
    return m_target.Finish();
}

void TPrintJob::UseFont(int pointSize) {
    QFont font(kBoxFontFamily);
    font.setPointSize(pointSize);
    m_painter->setFont(font);
}

int TPrintJob::TextHeight() const { return m_painter->fontMetrics().height(); }

int TPrintJob::TextWidth(const QString& text) const {
    return m_painter->fontMetrics().horizontalAdvance(text);
}

void TPrintJob::TextOut(int x, int y, const QString& text) {
    m_painter->drawText(x, y + m_painter->fontMetrics().ascent(), text);
}

void TPrintJob::LineAcross(int y) { m_painter->drawLine(m_box.Left, y, m_box.Right, y); }

void TPrintJob::PrintDive(const TDiveRec& dive) {
    const QString heading = GetMessage(20) + QLatin1Char(' ') + QString::number(dive.DiveNumber);
    switch (m_request.What) {
        case EPrintWhat::TextOnly:
            StartBox(heading);
            PrintDiveText(dive);
            break;
        case EPrintWhat::ProfileOnly:
            StartBox(heading);
            PrintDiveProfile(dive);
            break;
        default:
            StartBox(heading);
            PrintDiveText(dive);
            StartBox(heading);
            PrintDiveProfile(dive);
            break;
    }
}

void TPrintJob::StartBox(const QString& heading) {
    const bool upper = m_boxes % 2 == 0;
    // Every upper box but the job's first starts a page.
    if (upper && m_boxes > 0) {
        m_device->newPage();
        ++m_pages;
    }
    ++m_boxes;
    m_box = upper ? m_upper : m_lower;
    m_painter->setPen(QPen(Qt::black, kPenWidth));
    m_painter->setBrush(Qt::NoBrush);
    UseFont(kBoxFontSize);
    m_painter->drawRect(m_box.Left, m_box.Top, m_box.Width(), m_box.Height());
    m_lineHeight = TextHeight();
    const int o = TextWidth(QStringLiteral("O"));
    m_box.Bottom -= 2 * m_lineHeight;
    LineAcross(m_box.Bottom);
    const int y = m_box.Bottom + m_lineHeight / 2;
    TextOut(m_box.Left + o, y, heading);
    TextOut(m_box.Right - o - TextWidth(m_request.FileName), y, m_request.FileName);
}

void TPrintJob::PrintDiveText(const TDiveRec& dive) {
    const int lang = CurrentLanguage();
    const int units = CurrentUnitSystem();
    const int L = m_lineHeight;
    const int o = TextWidth(QStringLiteral("O"));
    m_box.Bottom -= 4 * L;
    LineAcross(m_box.Bottom);
    TextOut(m_box.Left + o, m_box.Bottom + L / 2, GetMessage(19));

    const double sx = static_cast<double>(m_box.Width()) / kDataPanelWidth;
    const double sy = static_cast<double>(m_box.Bottom - m_box.Top - 2 * L) / kDataPanelHeight;
    const QFontMetrics metrics = m_painter->fontMetrics();
    for (const TPanelControl& c : DataPanelControls()) {
        const int x = Round(sx * c.Left) + m_box.Left;
        const int y = Round(sy * c.Top) + m_box.Top;
        switch (c.Kind) {
            case EPanelControl::Label:
                TextOut(x, y, DataPanelLabel(c.Name, lang));
                break;
            case EPanelControl::Field:
                TextOut(x, y, FitText(metrics, DiveFieldText(c.Tag, dive, lang, units), Round(sx * c.Width)));
                break;
            case EPanelControl::Memo: {
                // The remarks break into lines as in a memo of the field's width, measured in the
                // print font so that no line runs past the field.
                const QString remarks = Cp1252ToUnicode(dive.Remarks);
                QTextLayout layout(remarks, m_painter->font(), m_painter->device());
                QTextOption option;
                option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
                layout.setTextOption(option);
                layout.beginLayout();
                for (int i = 0; i < kMemoLines; ++i) {
                    QTextLine line = layout.createLine();
                    if (!line.isValid()) break;
                    line.setLineWidth(sx * c.Width);
                    const QString text = remarks.mid(line.textStart(), line.textLength()).trimmed();
                    TextOut(x, y + Round(1.2 * i * L), text);
                }
                layout.endLayout();
                break;
            }
            case EPanelControl::Bevel:
                if (c.Height > c.Width)
                    m_painter->drawLine(x, y, x, y + Round(sy * c.Height));
                else
                    m_painter->drawLine(x, y, m_box.Right, y);
                break;
        }
    }
}

void TPrintJob::PrintDiveProfile(const TDiveRec& dive) {
    UseFont(kProfileFontSize);
    const int textHeight = TextHeight();
    const int h = textHeight / 2;
    // Every printed profile is decoded into the job's one profile, as the window does with its own.
    ProfilePlot plot;
    const bool hasProfile = BeginPlot(plot, dive, m_profile, EPlotMode::Print, CurrentUnitSystem());
    if (hasProfile) {
        UseFont(kProfileFontSize);
        TextOut(m_box.Left + TextWidth(QStringLiteral("O")), m_box.Top + h, ProfileReadout(dive, m_profile));
    }
    m_box.Top += 2 * textHeight;
    LineAcross(m_box.Top);
    m_box.Left += h;
    m_box.Top += h;
    m_box.Right -= h;
    m_box.Bottom -= h;
    if (!hasProfile) return;
    m_painter->save();
    PaintPlot(plot, *m_painter, QRect(m_box.Left, m_box.Top, m_box.Width(), m_box.Height()), false);
    m_painter->restore();
}

void TPrintJob::StartSummaryBox() {
    StartBox(GetMessage(21));
    m_row = 1;
    const int L = m_lineHeight;
    const int zero = TextWidth(QStringLiteral("0"));
    const QString today =
        CurrentDateFormat().Locale.toString(QDate::currentDate(), CurrentDateFormat().ShortDateFormat);
    int* c = m_columns;
    c[0] = m_box.Left;
    c[1] = c[0] + TextWidth(QStringLiteral("0000000"));
    c[2] = c[1] + TextWidth(QLatin1Char('0') + today + QLatin1Char('0'));
    c[3] = c[2] + TextWidth(QStringLiteral("000:000"));
    c[4] = c[3] + TextWidth(QStringLiteral("000.0 m0"));
    c[5] = c[4] + TextWidth(QStringLiteral("000:000"));
    c[6] = c[5] + (m_box.Right - c[5]) / 2;
    for (int i = 1; i <= 6; ++i) m_painter->drawLine(c[i], m_box.Top, c[i], m_box.Bottom);
    const int y = m_box.Top + L / 2;
    const QString number = GetMessage(22);
    TextOut(c[0] + TextWidth(QStringLiteral("000000")) - TextWidth(number), y, number);
    const std::pair<int, int> captions[] = {{1, 23}, {2, 29}, {3, 24}, {4, 25}, {5, 26}, {6, 27}};
    for (const auto& [column, message] : captions) TextOut(c[column] + zero, y, GetMessage(message));
    m_box.Top += 2 * L;
    LineAcross(m_box.Top);
}

void TPrintJob::PrintSummary() {
    StartSummaryBox();
    const int L = m_lineHeight;
    m_rowPitch = Round(1.2 * L);
    // The same number of rows in every box of the job.
    m_rowsPerBox = (m_box.Bottom - m_box.Top) / m_rowPitch - 1;
    if (!m_request.Logbook) return;
    const int zero = TextWidth(QStringLiteral("0"));
    const int units = CurrentUnitSystem();
    for (std::size_t i = 0; i < m_request.Logbook->Count(); ++i) {
        if (!Counted(i)) continue;
        const TDiveRec& dive = m_request.Logbook->At(i);
        if (m_row > m_rowsPerBox) StartSummaryBox();
        const int* c = m_columns;
        const int y = m_rowPitch * m_row + m_box.Top - L / 2;
        const QString number = QString::number(dive.DiveNumber);
        TextOut(c[0] + TextWidth(QStringLiteral("000000")) - TextWidth(number), y, number);
        TextOut(c[1] + zero, y, FormatDiveDate(dive.DayNo, false));
        TextOut(c[2] + zero, y, FormatHoursMinutes(dive.StartTime));
        const QString depth = FormatValue(kDepthFormat, dive.MaxDepth, units);
        TextOut(c[3] + TextWidth(QStringLiteral("000.0 m")) - TextWidth(depth), y, depth);
        TextOut(c[4] + zero, y, FormatHoursMinutes(dive.DiveTime));
        const QFontMetrics metrics = m_painter->fontMetrics();
        TextOut(c[5] + zero, y, FitText(metrics, Cp1252ToUnicode(dive.Location), (c[6] - c[5]) - 2 * zero));
        TextOut(c[6] + zero, y,
                FitText(metrics, Cp1252ToUnicode(dive.Site), (m_box.Right - c[6]) - 2 * zero));
        ++m_row;
    }
}

void TPrintJob::PrintStatistics() {
    static const TDiveCollection kEmpty;
    const TDiveCollection& log = m_request.Logbook ? *m_request.Logbook : kEmpty;
    const int units = CurrentUnitSystem();
    const TStatistics statistics = ComputeStatistics(log, m_request.SelectedLines,
                                                     m_request.Extend == EPrintExtend::SelectedDives, units);
    StartBox(StatisticsTitle(statistics, m_request.HandSelection, m_request.SelectionDates));
    const double sx = static_cast<double>(m_box.Width()) / kStatisticsPanelWidth;
    const double sy = static_cast<double>(m_box.Height()) / kStatisticsPanelHeight;
    const int lang = CurrentLanguage();
    for (const TStatLabel& l : StatisticsPanelLabels()) {
        const QString text = StatisticsLabelText(l, statistics, lang, units);
        const int y = Round(sy * l.Rect.top()) + m_box.Top;
        const int x = l.RightAligned()
                          ? Round(sx * (l.Rect.left() + l.Rect.width())) + m_box.Left - TextWidth(text)
                          : Round(sx * l.Rect.left()) + m_box.Left;
        TextOut(x, y, text);
    }
}
