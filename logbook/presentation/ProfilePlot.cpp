#include "ProfilePlot.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPalette>
#include <QPolygon>
#include <array>
#include <cmath>

#include "DiveAnalysis.h"
#include "TDiveRec.h"
#include "UnitFormat.h"

namespace {

constexpr double kPlotFontPoints = 8;
constexpr double kRowWordPoints = 7;
const QString kLabelWidthText = QStringLiteral("0000'");

// Whether point i has a warning that colours the depth line.
bool DepthLineWarned(const ProfilePoint& p) {
    return (p.DepthWord & kDepthLineWarnings) != 0 || p.Marks != 0;
}

int PixelHeight(const QFont& font, const QPaintDevice* device) {
    if (font.pixelSize() > 0) return font.pixelSize();
    const int dpi = device ? device->logicalDpiY() : 96;
    return RoundEven(font.pointSizeF() * dpi / 72.0);
}

QPointF PointAt(const ProfilePlot& plot, int i) {
    const ProfileLayout& l = plot.Layout;
    const ProfilePoint& p = plot.Profile->Points[static_cast<std::size_t>(i)];
    return QPoint(PointToX(l, i), DepthToY(l, PointDepth(p) * l.DepthFactor));
}

// Text with its top left corner at (x, top).
void TextAt(QPainter& painter, const QFontMetrics& fm, int x, int top, const QString& text) {
    painter.drawText(QPoint(x, top + fm.ascent()), text);
}

class TChartPainter {
public:
    TChartPainter(ProfilePlot& plot, QPainter& painter)
        : m_plot(plot),
          m_l(plot.Layout),
          m_p(painter),
          m_profile(*plot.Profile),
          m_fm(plot.Font, painter.device()) {}

    void Paint(bool withCursor) {
        m_p.save();
        m_p.translate(m_l.OriginX, m_l.OriginY);
        m_p.setRenderHint(QPainter::Antialiasing, false);
        m_p.setFont(m_plot.Font);
        Frame();
        RowLines();
        RowSymbols();
        TimeGrid();
        DepthGrid();
        if (m_l.Rebreather) PercentScale();
        if (m_l.Nitrox) ModLine();
        if (m_l.Rebreather) FractionCurve();
        DepthLine();
        WarningBand();
        m_p.restore();
        if (withCursor) DrawCursor(m_plot, m_p, m_plot.CursorIndex);
    }

private:
    int Left() const { return m_l.LeftMargin; }
    int RightEdge() const { return m_l.LeftMargin + m_l.PlotWidth; }

    void Frame() {
        m_p.setPen(QPen(PlotColor::kAqua, 1));
        m_p.setBrush(m_plot.Background);
        // Outline and fill from (LeftMargin, 0) to (LeftMargin + PlotWidth + 1, FullHeight),
        // the right and bottom edges exclusive.
        m_p.drawRect(Left(), 0, m_l.PlotWidth, m_l.FullHeight - 1);
        m_p.setBrush(Qt::NoBrush);
        const int bottom = DepthToY(m_l, m_l.DepthRange);
        m_p.drawLine(Left(), bottom, RightEdge(), bottom);
    }

    void RowLines() {
        m_p.setPen(QPen(PlotColor::kMagenta, 1, Qt::DotLine));
        for (int k = 0; k < m_l.RowCount; ++k) {
            const int y = m_l.RowY[static_cast<std::size_t>(k)];
            m_p.drawLine(Left(), y, RightEdge(), y);
        }
    }

    void RowSymbols() {
        const int lh = m_l.LineHeight;
        const int j = RoundEven(0.7 * lh);
        const int half = RoundEven(0.3 * lh);
        const int cx = Left() / 2;
        m_p.setPen(QPen(PlotColor::kMagenta, 1));
        m_p.setBrush(PlotColor::kMagenta);
        QFont wordFont = m_plot.Font;
        wordFont.setPointSizeF(kRowWordPoints);
        const QFontMetrics wordMetrics(wordFont, m_p.device());
        for (int k = 0; k < m_l.RowCount; ++k) {
            const int y = m_l.RowY[static_cast<std::size_t>(k)];
            switch (m_l.RowKind[static_cast<std::size_t>(k)]) {
                case EWarningRow::Descent:
                    Arrow(cx, y - j / 2, y - j / 2 + j, half, true);
                    break;
                case EWarningRow::Ascent:
                    Arrow(cx, y - j / 2, y - j / 2 + j, half, false);
                    break;
                case EWarningRow::Work:
                    WorkSymbol(cx, y + lh / 2, j);
                    break;
                case EWarningRow::Rbt:
                case EWarningRow::PO2: {
                    const QString word = m_l.RowKind[static_cast<std::size_t>(k)] == EWarningRow::Rbt
                                             ? QStringLiteral("RBT")
                                             : QStringLiteral("pO2");
                    m_p.save();
                    m_p.setFont(wordFont);
                    const int w = wordMetrics.horizontalAdvance(word);
                    TextAt(m_p, wordMetrics, cx - w / 2, y - wordMetrics.height() / 2, word);
                    m_p.restore();
                    break;
                }
            }
        }
        m_p.setBrush(Qt::NoBrush);
    }

    // A vertical stroke from top to bottom with a filled head at the lower (down) or upper end.
    void Arrow(int cx, int top, int bottom, int half, bool down) {
        m_p.drawLine(cx, top, cx, bottom);
        const int tip = down ? bottom : top;
        const int base = down ? bottom - half : top + half;
        const std::array<QPoint, 3> head = {QPoint(cx - half, base), QPoint(cx + half, base),
                                            QPoint(cx, tip)};
        m_p.drawPolygon(head.data(), static_cast<int>(head.size()));
    }

    // Two quarter circles side by side, like a flexed arm: the upper-left quarter of a circle
    // centred R left of the centre line and the upper-right quarter of one R + 1 right of it.
    void WorkSymbol(int cx, int cy, int radius) {
        const int r = std::max(1, m_plot.TextHeight / 6);
        const int d = 2 * radius;
        m_p.drawPie(QRect(cx - r - radius, cy - radius, d, d), 90 * 16, 90 * 16);
        m_p.drawPie(QRect(cx + r + 1 - radius, cy - radius, d, d), 0, 90 * 16);
    }

    void TimeGrid() {
        m_p.setPen(QPen(PlotColor::kAqua, 1));
        for (int i = 1; i < m_l.TimeTicks; ++i) {
            const int x = TimeToX(m_l, static_cast<double>(i) * m_l.TimeStep);
            m_p.drawLine(x, 0, x, m_l.FullHeight);
        }
        m_p.setPen(PlotColor::kBlack);
        const int top = m_l.FullHeight + m_l.LineHeight / 2;
        for (int i = 1; i < m_l.TimeTicks; ++i) {
            const int x = TimeToX(m_l, static_cast<double>(i) * m_l.TimeStep);
            const QString label = QString::number(i * m_l.TimeStep) + QLatin1Char('\'');
            TextAt(m_p, m_fm, x - m_fm.horizontalAdvance(label) / 2, top, label);
        }
    }

    void DepthGrid() {
        m_p.setPen(QPen(PlotColor::kAqua, 1));
        for (int j = 0; j < m_l.DepthDivisions; ++j) {
            const int y = DepthToY(m_l, static_cast<double>(j) * m_l.DepthStep);
            m_p.drawLine(Left(), y, RightEdge(), y);
        }
        // Numbers right-aligned on the width of the deepest number, so the units line up.
        m_p.setPen(PlotColor::kBlack);
        const QString unit = DepthUnitText(m_plot.UnitSystem);
        const int field = m_fm.horizontalAdvance(QString::number(m_l.DepthExtent));
        const int block = field + m_fm.horizontalAdvance(unit);
        const int start = (Left() - block) / 2;
        for (int j = 0; j < m_l.DepthDivisions; ++j) {
            const int y = DepthToY(m_l, static_cast<double>(j) * m_l.DepthStep);
            const QString number = QString::number(j * m_l.DepthStep);
            const int x = start + field - m_fm.horizontalAdvance(number);
            TextAt(m_p, m_fm, x, y - m_fm.height() / 2, number + unit);
        }
    }

    void PercentScale() {
        m_p.setPen(PlotColor::kBlue);
        const int right = RightEdge() + m_l.PercentWidth;
        for (int j = 0; j <= m_l.DepthDivisions; ++j) {
            const double value = 100.0 - static_cast<double>(j) / m_l.DepthDivisions * 100.0;
            const QString text = FormatNumber(value, 1) + QStringLiteral(" %");
            const int y = DepthToY(m_l, static_cast<double>(j) * m_l.DepthStep);
            TextAt(m_p, m_fm, right - m_fm.horizontalAdvance(text), y - m_fm.height() / 2, text);
        }
    }

    void ModLine() {
        const double mod = m_l.NitroxMOD * m_l.DepthFactor;
        if (!(mod < m_l.DepthExtent)) return;
        const int y = DepthToY(m_l, mod);
        m_p.setPen(QPen(PlotColor::kGreen, 1));
        m_p.drawLine(Left(), y, RightEdge(), y);
        const QString text =
            (QStringLiteral(" ppO2=") + FormatNumber(m_profile.MaxPO2, 1) + QStringLiteral("bar")).left(12);
        // Placed as if one more "0" followed it up to the chart's right edge.
        const int x = RightEdge() - m_fm.horizontalAdvance(text + QLatin1Char('0'));
        TextAt(m_p, m_fm, x, y - RoundEven(1.5 * m_l.LineHeight), text);
    }

    void FractionCurve() {
        const int count = std::min(m_profile.Count, kMaxPointIndex);
        QPen pen(PlotColor::kBlue, 2);
        QPoint from(TimeToX(m_l, 0), FractionToY(m_l, m_profile.Points[0].O2Fraction));
        for (int i = 1; i <= count; ++i) {
            const ProfilePoint& before = m_profile.Points[static_cast<std::size_t>(i - 1)];
            pen.setColor(HasWarning(before, kFractionWarning) ? PlotColor::kMagenta : PlotColor::kBlue);
            m_p.setPen(pen);
            const QPoint to(PointToX(m_l, i),
                            FractionToY(m_l, m_profile.Points[static_cast<std::size_t>(i)].O2Fraction));
            m_p.drawLine(from, to);
            from = to;
        }
    }

    void DepthLine() {
        const int count = std::min(m_profile.Count, kMaxPointIndex);
        // The line is a whole number of pixels wide.
        const int width = m_plot.TextHeight / 5 + 1;
        QPen pen(PlotColor::kBlack, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        // Runs of segments of one colour are drawn as one polyline.
        std::array<QPointF, kPointCapacity + 1> run;
        std::size_t used = 0;
        run[used++] = QPointF(Left(), 0);
        QColor colour = DepthSegmentColor(m_plot, -1);
        for (int i = 0; i <= count; ++i) {
            run[used++] = PointAt(m_plot, i);
            if (i == count) break;
            const QColor next = DepthSegmentColor(m_plot, i);
            if (next != colour) {
                Flush(pen, colour, run.data(), used);
                run[0] = run[used - 1];
                used = 1;
                colour = next;
            }
        }
        Flush(pen, colour, run.data(), used);
    }

    void Flush(QPen& pen, const QColor& colour, const QPointF* points, std::size_t n) {
        if (n < 2) return;
        pen.setColor(colour);
        m_p.setPen(pen);
        m_p.drawPolyline(points, static_cast<int>(n));
    }

    void WarningBand() {
        m_p.setPen(Qt::NoPen);
        const int count = std::min(m_profile.Count, kMaxPointIndex);
        // The band height is kept in a byte, as the original device context did.
        const int d = static_cast<std::uint8_t>(m_plot.TextHeight / 3 + 1);
        for (int k = 0; k < m_l.RowCount; ++k) {
            const std::uint16_t mask = RowMask(m_l.RowKind[static_cast<std::size_t>(k)]);
            const int top = m_l.RowY[static_cast<std::size_t>(k)] - d / 2;
            int runStart = -1;
            for (int i = 0; i <= count + 1; ++i) {
                const bool on = i <= count && HasWarning(m_profile.Points[static_cast<std::size_t>(i)], mask);
                if (on && runStart < 0) runStart = i;
                if (!on && runStart >= 0) {
                    // Adjacent points share their edges, so a run fills the same pixels
                    // as its points one by one.
                    const int x1 = PointToX(m_l, runStart);
                    const int x2 = PointToX(m_l, i);
                    m_p.fillRect(QRect(x1, top, x2 - x1, d), PlotColor::kMagenta);
                    runStart = -1;
                }
            }
        }
    }

    static std::uint16_t RowMask(EWarningRow row) {
        switch (row) {
            case EWarningRow::Descent:
                return 0x08;
            case EWarningRow::Ascent:
                return 0x04;
            case EWarningRow::Rbt:
                return 0x02;
            case EWarningRow::PO2:
                return kMarkPO2;
            case EWarningRow::Work:
                return 0x10;
        }
        return 0;
    }

    ProfilePlot& m_plot;
    const ProfileLayout& m_l;
    QPainter& m_p;
    const DiveProfile& m_profile;
    QFontMetrics m_fm;
};

}  // namespace

QColor PlotBackground(EPlotMode mode) {
    if (mode == EPlotMode::Print) return PlotColor::kWhite;
    QColor face = qGuiApp ? QGuiApplication::palette().color(QPalette::Button) : QColor(192, 192, 192);
    // The replayed line is white: a face as light as paper would swallow it.
    constexpr int kLightestFace = 192;
    if (face.lightness() > kLightestFace)
        face = QColor::fromHsl(face.hslHue(), face.hslSaturation(), kLightestFace);
    return face;
}

bool BeginPlot(ProfilePlot& plot, const TDiveRec& dive, DiveProfile& profile, EPlotMode mode,
               int unitSystem) {
    if (!dive.HasProfile() || !DecodeProfile(profile, dive)) {
        plot.Dive = nullptr;
        plot.Profile = nullptr;
        return false;
    }
    plot.Dive = &dive;
    plot.Profile = &profile;
    plot.Mode = mode;
    plot.UnitSystem = unitSystem == 1 ? 1 : 0;
    plot.Background = PlotBackground(mode);
    plot.Font = QFont(QStringLiteral("Arial"));
    plot.Font.setPointSizeF(kPlotFontPoints);
    plot.Font.setWeight(QFont::Normal);
    plot.Font.setItalic(false);
    return true;
}

const ProfileLayout& LayoutPlot(ProfilePlot& plot, const QPaintDevice* device, const QRect& area) {
    if (!plot.Profile) {
        plot.Layout = ProfileLayout();
        return plot.Layout;
    }
    const QFontMetrics fm(plot.Font, const_cast<QPaintDevice*>(device));
    ProfileLayoutInput in;
    in.OriginX = area.x();
    in.OriginY = area.y();
    in.Right = area.x() + area.width();
    in.Bottom = area.y() + area.height();
    in.UnitSystem = plot.UnitSystem;
    in.DiveType = plot.Dive ? plot.Dive->DiveType : 0;
    in.Count = std::min(plot.Profile->Count, kMaxPointIndex);
    in.ProfileMaxDepth = plot.Profile->ProfileMaxDepth;
    in.NitroxMOD = plot.Profile->NitroxMOD;
    in.LineHeight = PixelHeight(plot.Font, device);
    in.LabelWidth = fm.horizontalAdvance(kLabelWidthText);
    in.TextWidth = [&fm](const QString& text) { return fm.horizontalAdvance(text); };
    plot.Layout = ComputeProfileLayout(in);
    plot.TextHeight = fm.height();
    // The stretched depth belongs to the profile from now on, as the chart shows it.
    plot.Profile->ProfileMaxDepth = plot.Layout.ProfileMaxDepth;
    return plot.Layout;
}

void PaintPlot(ProfilePlot& plot, QPainter& painter, const QRect& area, bool withCursor) {
    if (!plot.Profile || !plot.Dive) return;
    LayoutPlot(plot, painter.device(), area);
    TChartPainter(plot, painter).Paint(withCursor);
}

QColor DepthSegmentColor(const ProfilePlot& plot, int i) {
    const bool print = plot.Mode == EPlotMode::Print;
    if (i < 0) return print ? PlotColor::kBlack : PlotColor::kWhite;
    if (DepthLineWarned(plot.Profile->Points[static_cast<std::size_t>(i)])) return PlotColor::kMagenta;
    if (print) return PlotColor::kBlack;
    return i < plot.ReplayIndex ? PlotColor::kWhite : PlotColor::kGrey;
}

QRect CursorStrip(const ProfilePlot& plot, int index) {
    const ProfileLayout& l = plot.Layout;
    return {l.OriginX + PointToX(l, index), l.OriginY, 1, l.FullHeight + 1};
}

void DrawCursor(const ProfilePlot& plot, QPainter& painter, int index) {
    if (!plot.Profile) return;
    const QRect strip = CursorStrip(plot, index);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    // The line inverts what lies under it, so that it shows on any background and drawing it
    // twice restores the picture. Raster operations would also invert an alpha channel, so
    // they are used only on pictures without one; elsewhere the line is drawn plain aqua.
    const QPaintDevice* device = painter.device();
    const auto* image =
        device && device->devType() == QInternal::Image ? static_cast<const QImage*>(device) : nullptr;
    const QPaintEngine* engine = painter.paintEngine();
    if (image && !image->hasAlphaChannel() && engine && engine->hasFeature(QPaintEngine::RasterOpModes)) {
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    }
    painter.setPen(QPen(PlotColor::kAqua, 1));
    painter.drawLine(strip.x(), strip.top(), strip.x(), strip.bottom());
    painter.restore();
}

void DrawCursorOver(const ProfilePlot& plot, QPainter& painter, const QImage& chart, int index) {
    if (!plot.Profile || chart.isNull()) return;
    const QRect strip = CursorStrip(plot, index);
    const qreal ratio = chart.devicePixelRatio();
    const QRect source =
        QRect(static_cast<int>(std::floor(strip.x() * ratio)),
              static_cast<int>(std::floor(strip.y() * ratio)), static_cast<int>(std::ceil(ratio)),
              static_cast<int>(std::ceil(strip.height() * ratio))) &
        chart.rect();
    if (source.isEmpty()) return;
    QImage piece = chart.copy(source).convertToFormat(QImage::Format_RGB32);
    const QRgb aqua = PlotColor::kAqua.rgb() & 0x00FFFFFF;
    for (int y = 0; y < piece.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(piece.scanLine(y));
        for (int x = 0; x < piece.width(); ++x) line[x] ^= aqua;
    }
    piece.setDevicePixelRatio(ratio);
    painter.drawImage(QPointF(source.x() / ratio, source.y() / ratio), piece);
}

QRect DrawReplaySegment(const ProfilePlot& plot, QPainter& painter, int i) {
    if (!plot.Profile || i < 1 || i > std::min(plot.Profile->Count, kMaxPointIndex)) return {};
    const ProfilePoint& before = plot.Profile->Points[static_cast<std::size_t>(i - 1)];
    const QColor colour = DepthLineWarned(before) ? PlotColor::kMagenta : PlotColor::kWhite;
    const QPointF from = PointAt(plot, i - 1);
    const QPointF to = PointAt(plot, i);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.translate(plot.Layout.OriginX, plot.Layout.OriginY);
    painter.setPen(QPen(colour, kReplayPenWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(from, to);
    painter.restore();
    const QRectF span = QRectF(from, to).normalized().translated(plot.Layout.OriginX, plot.Layout.OriginY);
    return span.toAlignedRect().adjusted(-kReplayPenWidth, -kReplayPenWidth, kReplayPenWidth,
                                         kReplayPenWidth);
}
