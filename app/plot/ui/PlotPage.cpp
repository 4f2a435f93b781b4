#include "plot/ui/PlotPage.h"

#include "platform/services/MessageBox.h"
#include "plot/logic/CDIFilter.h"
#include "plot/logic/PlotFileReader.h"
#include "plot/mm/modPlot_mm.h"
#include "plot/page/PageTexts.h"
#include "plot/page/PlotClip.h"
#include "plot/ui/PlotLinks.h"
#include "shell/model/ModelVariables.h"

#include <exception>
#include <filesystem>
#include <vector>

using namespace plot;
using plat::Colour;
using plat::DeviceContext;

namespace {

constexpr Colour kBlack = 0x000000;
constexpr Colour kGrey = 0xC0C0C0;
constexpr Colour kBlue = 0xFF0000;
constexpr Colour kRed = 0x0000FF;
constexpr Colour kGreen = 0x00FF00;
constexpr Colour kMagenta = 0xFF00FF;

const std::string kArial = "Arial";
const std::string kArialBlack = "Arial Black";

// Everything one redraw draws with.
struct Page {
    DeviceContext& dc;
    const PlotSettings& s;
    const PlotScales& scales;
};

// Data segments clipped to the plot area as they are added, the ones left drawn together, solid, one
// unit wide; one that lies outside is left out.
class DataLines {
public:
    explicit DataLines(const Page& p) : p_(p) {}
    void Add(float x1, float y1, float x2, float y2) {
        ClipToPlotArea(x1, y1, x2, y2, p_.s, p_.scales.X, p_.scales.Y);
        if (x2 != kClippedAway)
            lines_.push_back({x1, y1, x2, y2});
    }
    void Draw(Colour colour) const { DrawLines(p_.dc, lines_, colour, plat::PS_SOLID, 1); }

private:
    const Page& p_;
    std::vector<PageSegment> lines_;
};

void DataLine(const Page& p, float x1, float y1, float x2, float y2, Colour colour) {
    DataLines line(p);
    line.Add(x1, y1, x2, y2);
    line.Draw(colour);
}

void Text(DeviceContext& dc, const std::string& text, float x, float y, int anchor, int size,
          const std::string& face, float angle = 0) {
    PlotTextInches(dc, text, x, y, anchor, angle, size, face, kBlack);
}

// The part of the zone-3 curve between the category's inner end and point B: the segment k -> k+1,
// cut at either end, or nothing.
bool Zone3Segment(float& x1, float& y1, float& x2, float& y2, float inner) {
    const auto yAt = [&](float x) { return y1 + (y2 - y1) * (x - x1) / (x2 - x1); };
    if (x1 <= kPointB && x2 <= kPointB && x1 >= inner) {
        if (x2 < inner) {
            y2 = yAt(inner);
            x2 = inner;
        }
        return true;
    }
    if (x1 > kPointB && x2 <= kPointB && x2 >= inner) {
        y1 = yAt(kPointB);
        x1 = kPointB;
        return true;
    }
    return false;
}

void DrawApproach(const Page& p, ILSAnalysisRec& rec, const RefCurve& ref, int level, double xFactor) {
    if (level < 1)
        return;
    const float t2 = 30.0F;
    const float t3 = rec.ToleranceCategory == 1 ? 30.0F : 20.0F;
    for (const float x : {kPointA, kPointB, rec.CatIFactor})
        DataLine(p, x, p.s.PlotYMax, x, p.s.PlotYMin, kRed);
    const float mean = rec.Zone2MeanCDI;
    DataLine(p, kPointA, mean, kPointB, mean, kRed);
    DataLine(p, kPointA, mean + t2, kPointB, mean + t3, kRed);
    DataLine(p, kPointA, mean - t2, kPointB, mean - t3, kRed);
    DataLines zone3(p);
    for (const float offset : {0.0F, t3, -t3}) {
        for (std::size_t k = 0; k + 1 < ref.Count(); ++k) {
            float x1 = ref.X[k];
            float y1 = ref.Y[k] + offset;
            float x2 = ref.X[k + 1];
            float y2 = ref.Y[k + 1] + offset;
            if (Zone3Segment(x1, y1, x2, y2, rec.CatIFactor))
                zone3.Add(x1, y1, x2, y2);
        }
    }
    zone3.Draw(kRed);
    if (level < 2)
        return;
    // The positions in the X axis' unit: feet or nautical miles, metres or kilometres.
    ILSAnalysisRec shown = rec;
    shown.Zone2MaxPos = static_cast<float>(shown.Zone2MaxPos * xFactor);
    shown.Zone3MaxPos = static_cast<float>(shown.Zone3MaxPos * xFactor);
    const ApproachAnnotation a = ApproachAnnotationTexts(shown, p.s.UseOldZ3Calc, 0);
    for (std::size_t i = 0; i < a.Lines.size(); ++i)
        Text(p.dc, a.Lines[i], 6.0F, a.Y0 - 0.3F + 0.3F * static_cast<float>(i), 0, 10, kArialBlack);
}

void DrawLevelRun(const Page& p, const LevelRunResult& r, int level) {
    if (level < 1)
        return;
    DataLine(p, r.LevelRunPathAngle, p.s.PlotYMin, r.LevelRunPathAngle, 0, kMagenta);
    DataLine(p, r.LevelRunAngleM75, p.s.PlotYMin, r.LevelRunAngleM75, -75, kGreen);
    DataLine(p, r.LevelRunAngleP75, p.s.PlotYMin, r.LevelRunAngleP75, 75, kGreen);
    if (level < 2)
        return;
    const auto lines = LevelRunAnnotationTexts(r);
    for (std::size_t i = 0; i < lines.size(); ++i)
        Text(p.dc, lines[i], 7.7F, 1.3F + 0.3F * static_cast<float>(i), 0, 10, kArialBlack);
}

void DrawTitles(DeviceContext& dc, const shell::ModelVariables& m, bool useSI) {
    Text(dc, PlotTitle(m.PlotSettings, m.PlotFlightType), 5.5F, 0.25F, 4, 12, kArialBlack);
    // A quantity outside the list (from a file) has no captions.
    if (const std::string q = QuantityCaption(m.YAxisVar, PlotYAxisItem(m.YAxisVar)); !q.empty())
        Text(dc, q, 5.5F, 0.5F, 4, 10, kArialBlack);
    Text(dc, m.OutFile, 5.5F, 0.82F, 4, 8, kArial);
    Text(dc, XUnitCaption(m.PlotSettings.PlotXUnit, useSI), 5.5F, 7.9F, 4, 10, kArialBlack);
    if (const std::string y = YUnitCaption(m.YAxisVar); !y.empty())
        Text(dc, y, 0.25F, 4.0F, 4, 10, kArialBlack, 90.0F);
}

bool FileExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

// Ends the page however the redraw leaves.
struct PageEnd {
    DeviceContext& dc;
    ~PageEnd() { EndPlot(dc); }
};

PlotOutcome Draw(DeviceContext& dc, PlotView& view, const std::string* traceFile) {
    shell::ModelVariables& m = shell::Model();
    PlotSettings& s = m.PlotSettings;
    const bool addTrace = traceFile != nullptr;
    SetDirections(s);
    const std::uint8_t type = m.PlotFlightType;
    if (!FileExists(m.OutFile) || (addTrace && !FileExists(*traceFile)))
        return {};
    PlotTrace trace;
    const PlotReadOptions options{type, m.OriginShift, s.PlotXDir, s.PlotYDir};
    const PlotReadStatus status =
        addTrace ? ReadPlotFile(*traceFile, options, trace) : view.curve.Read(m.OutFile, options, trace);
    if (status == PlotReadStatus::NoFile)
        return {};
    if (status == PlotReadStatus::InputError) {
        plat::MsgBox(kFileInputError);
        return {};
    }
    if (s.UseCDIFilter == 1) {
        const std::string message = FilterCDI(trace.Y, kFort10Name, m.AircraftSpeed);
        if (!message.empty())
            plat::MsgBox(message);
    }
    ScaleMagnitudes(trace, m.YAxisVar);
    SetAxisRanges(s, type, m.YAxisVar, trace);
    UpdateScales(s, view.scales);

    const bool useSI = PlotUseSI();
    const double xFactor = XLabelFactor(s.PlotXUnit, useSI);
    const Page page{dc, s, view.scales};
    if (!addTrace)
        DrawAxes(dc, s, xFactor);
    DataLines curve(page);
    for (std::size_t i = 0; i < trace.Count(); ++i) {
        const std::size_t j = i == 0 ? 0 : i - 1;
        curve.Add(trace.X[i], trace.Y[i], trace.X[j], trace.Y[j]);
    }
    curve.Draw(addTrace ? kRed : kBlue);
    PlotOutcome outcome;
    if (!addTrace && IsCDIQuantity(m.YAxisVar) && s.ShowAnalysis == 1) {
        if (type == 3) {
            // Copied before every analysis too, so that a model edited while the window stays open
            // is analysed as it is now.
            CopyPathGeometry();
            const RefCurve& ref = view.analysis.Approach(trace.X, trace.Y, s.UseOldZ3Calc, m.ILSData);
            outcome.results = ApproachResultsLabels(m.ILSData, s.UseOldZ3Calc);
            DrawApproach(page, m.ILSData, ref, view.annotationLevel, xFactor);
        } else if (type == 4) {
            DrawLevelRun(page, view.analysis.LevelRun(trace.X, trace.Y), view.annotationLevel);
        }
    }
    DrawTitles(dc, m, useSI);
    return outcome;
}

} // namespace

PlotOutcome PlotData(DeviceContext& dc, PlotView& view, const std::string* traceFile) {
    const PageEnd end{dc};
    try {
        return Draw(dc, view, traceFile);
    } catch (const std::exception&) {
        plat::MsgBox(kErrorInOutput, plat::vbCritical, "error");
        return {};
    }
}

void CopyPathGeometry() {
    shell::ModelVariables& m = shell::Model();
    m.ILSData.PathAngle = m.PathAngle;
    m.ILSData.PathWidth = m.PathWidth;
    m.ILSData.ThX = m.ThX;
    m.ILSData.ThZ = m.ThZ;
    m.ILSData.ThY = m.ThY;
}

// A Y tic label ends at 0.95 in, right-aligned; one too wide for the page left of there is written
// smaller (down to size 4), so that no digit falls off the page's left edge.
int YLabelSize(DeviceContext& dc, const std::string& text) {
    constexpr int kRoom = 900; // page units, from 0.05 in to 0.95 in
    int size = 8;
    for (; size > 4; --size) {
        SetFontSize(dc, size, kArial);
        plat::SIZE extent{};
        dc.GetTextExtentPoint32(text, extent);
        if (extent.cx <= kRoom)
            break;
    }
    return size;
}

void DrawAxes(DeviceContext& dc, const PlotSettings& s, double xLabelFactor) {
    const AxesLayout a = LayoutAxes(s, xLabelFactor);
    for (std::size_t i = 0; i < a.xLines.size(); ++i) {
        const float x = a.xLines[i].at;
        DrawLine(dc, x, kAreaTop, x, kAreaBottom, kGrey, plat::PS_DOT, 1);
        DrawLine(dc, x, kAreaTop, x, 7.58F, kGrey, plat::PS_DOT, 1);
        Text(dc, a.xLabels[i].text, a.xLabels[i].x, a.xLabels[i].y, 0, 8, kArial);
    }
    for (std::size_t j = 0; j < a.yLines.size(); ++j) {
        const float y = a.yLines[j].at;
        const int style = a.yLines[j].zero ? plat::PS_SOLID : plat::PS_DOT;
        const int width = a.yLines[j].zero ? 2 : 1;
        DrawLine(dc, kAreaLeft, y, kAreaRight, y, kGrey, style, width);
        DrawLine(dc, kAreaLeft, y, 0.92F, y, kGrey, style, width);
        Text(dc, a.yLabels[j].text, a.yLabels[j].x, a.yLabels[j].y, 7, YLabelSize(dc, a.yLabels[j].text),
             kArial);
    }
    DrawLine(dc, kAreaLeft, kAreaTop, kAreaLeft, kAreaBottom, kBlack, plat::PS_SOLID, 1);
    DrawLine(dc, kAreaLeft, kAreaBottom, kAreaRight, kAreaBottom, kBlack, plat::PS_SOLID, 1);
    DrawLine(dc, kAreaRight, kAreaBottom, kAreaRight, kAreaTop, kBlack, plat::PS_SOLID, 1);
    DrawLine(dc, kAreaRight, kAreaTop, kAreaLeft, kAreaTop, kBlack, plat::PS_SOLID, 1);
}
