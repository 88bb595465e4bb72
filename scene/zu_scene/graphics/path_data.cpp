#include "scene/zu_scene/graphics/path_data.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

#include "platform/core/component.h"
#include "platform/core/property.h"
#include "scene/zu_scene/graphics/shared_resource.h"
#include "scene/zu_scene/graphics/svg_path.h"
#include "scene/zu_scene/types/value_text.h"

namespace zu {

namespace {

constexpr float kPi = 3.1415927f;
constexpr float kHalfPi = kPi / 2;
constexpr float kTwoPi = kPi * 2;
// A thin, long path would otherwise flatten one curve into millions of points.
constexpr int kMaxCurveSteps = 1024;
// The points a flattened path may have whatever its size: room for 64 curves of
// kMaxCurveSteps each, half a megabyte of points.
constexpr int64_t kFlattenFloor = 65536;

bool IsFinite(const TzuPoint& p) { return std::isfinite(p.X) && std::isfinite(p.Y); }
TzuPoint Offset(const TzuPoint& a, const TzuPoint& b) { return TzuPoint{a.X + b.X, a.Y + b.Y}; }

// The arc of an axis-aligned ellipse as cubic curves: the arc's start point, then three
// points per curve. False when the angles are not finite; empty for a vanishing sweep.
bool ArcCurves(const TzuPoint& center, const TzuPoint& radius, float startAngle, float sweepAngle,
               std::vector<TzuPoint>& out) {
    float s = DegreesToRadians(startAngle);
    float w = DegreesToRadians(sweepAngle);
    if (!std::isfinite(s) || !std::isfinite(w)) return false;
    s -= kTwoPi * std::trunc(s / kTwoPi);
    w = std::clamp(w, -kTwoPi, kTwoPi);
    if (std::fabs(w) < 1e-10f) return true;

    float done = 0;
    // Quarter turns at most, so a clamped sweep needs five segments at most.
    for (int i = 0; i < 5; ++i) {
        float a;
        bool last;
        if (w >= 0) {
            last = !(w - 0.01f > done + kHalfPi);
            a = last ? w - done : kHalfPi;
        } else {
            last = !(w + 0.01f < done - kHalfPi);
            a = last ? w - done : -kHalfPi;
        }
        const float cosH = std::cos(a / 2);
        const float sinH = std::sin(a / 2);
        const float k = 4.0f / 3.0f * (1 - cosH);
        const float h = sinH - cosH * k / sinH;
        const TzuPoint unit[4] = {{cosH, -sinH}, {cosH + k, -h}, {cosH + k, h}, {cosH, sinH}};
        const float theta = s + done + a / 2;
        const float cosT = std::cos(theta);
        const float sinT = std::sin(theta);
        for (int j = i == 0 ? 0 : 1; j < 4; ++j) {
            const TzuPoint& u = unit[j];
            out.push_back(TzuPoint{center.X + radius.X * (u.X * cosT - u.Y * sinT),
                                   center.Y + radius.Y * (u.X * sinT + u.Y * cosT)});
        }
        done += a;
        if (last) break;
    }
    return true;
}

uint32_t Get32(const TzuBytes& b, size_t at) {
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}

void Put32(TzuBytes& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(uint8_t(v >> (8 * i)));
}

// Every run of curve entries must hold whole curves: consumers read them three at a time.
bool CurvesComplete(const std::vector<TzuPathPoint>& points) {
    int run = 0;
    for (const TzuPathPoint& p : points) {
        if (p.Kind == zuPathPointCurveTo) {
            ++run;
        } else {
            if (run % 3 != 0) return false;
            run = 0;
        }
    }
    return run % 3 == 0;
}

bool IsCurveAt(const std::vector<TzuPathPoint>& points, size_t i) {
    return i + 2 < points.size() && points[i].Kind == zuPathPointCurveTo &&
           points[i + 1].Kind == zuPathPointCurveTo && points[i + 2].Kind == zuPathPointCurveTo;
}

}  // namespace

const TzuClass& TzuPathData::StaticClass() {
    using P = ZuProps<TzuPathData>;
    static const TzuPropInfo props[] = {
        P::String<&TzuPathData::Data, &TzuPathData::SetData>("Data").NotStored(),
        P::String<&TzuPathData::SvgData, &TzuPathData::SetSvgData>("SvgData").NotStored(),
        P::Reference<&TzuPathData::Resource, &TzuPathData::SetResource>("Resource").NotStored(),
        P::String<&TzuPathData::ResourceName, &TzuPathData::SetResourceName>("ResourceName"),
        P::Defined<&TzuPathData::ReadPath, &TzuPathData::WritePath, &TzuPathData::PathStored>("Path"),
    };
    static const TzuClass cls = ZuClass<TzuPathData, TzuPersistent>("TzuPathData", props);
    return cls;
}

TzuPathData::~TzuPathData() { Unlink(); }

// ---- Builder ----

TzuPoint TzuPathData::LastPoint() const { return m_points.empty() ? TzuPoint{} : m_points.back().Point; }

void TzuPathData::MoveTo(const TzuPoint& p) {
    Add(zuPathPointMoveTo, p);
    m_startPoint = p;
}

void TzuPathData::MoveToRel(const TzuPoint& d) { MoveTo(Offset(LastPoint(), d)); }

void TzuPathData::LineTo(const TzuPoint& p) { Add(zuPathPointLineTo, p); }

void TzuPathData::LineToRel(const TzuPoint& d) { LineTo(Offset(LastPoint(), d)); }

void TzuPathData::HLineTo(float x) { LineTo(TzuPoint{x, LastPoint().Y}); }

void TzuPathData::HLineToRel(float dx) { LineTo(Offset(LastPoint(), TzuPoint{dx, 0})); }

void TzuPathData::VLineTo(float y) { LineTo(TzuPoint{LastPoint().X, y}); }

void TzuPathData::VLineToRel(float dy) { LineTo(Offset(LastPoint(), TzuPoint{0, dy})); }

void TzuPathData::CurveTo(const TzuPoint& c1, const TzuPoint& c2, const TzuPoint& end) {
    Add(zuPathPointCurveTo, c1);
    Add(zuPathPointCurveTo, c2);
    Add(zuPathPointCurveTo, end);
}

void TzuPathData::CurveToRel(const TzuPoint& c1, const TzuPoint& c2, const TzuPoint& end) {
    const TzuPoint cur = LastPoint();
    CurveTo(Offset(cur, c1), Offset(cur, c2), Offset(cur, end));
}

void TzuPathData::SmoothCurveTo(const TzuPoint& c2, const TzuPoint& end) {
    TzuPoint c1 = c2;
    if (m_points.size() >= 3) {
        // The reflection of the previous control point about the current point.
        const TzuPoint cur = LastPoint();
        const TzuPoint& prev = m_points[m_points.size() - 2].Point;
        c1 = TzuPoint{2 * cur.X - prev.X, 2 * cur.Y - prev.Y};
    }
    CurveTo(c1, c2, end);
}

void TzuPathData::SmoothCurveToRel(const TzuPoint& c2, const TzuPoint& end) {
    const TzuPoint cur = LastPoint();
    SmoothCurveTo(Offset(cur, c2), Offset(cur, end));
}

void TzuPathData::ClosePath() { Add(zuPathPointClose, m_startPoint); }

void TzuPathData::AddArc(const TzuPoint& center, const TzuPoint& radius, float startAngle, float sweepAngle) {
    std::vector<TzuPoint> pts;
    if (!ArcCurves(center, radius, startAngle, sweepAngle, pts) || pts.empty()) return;
    if (m_points.empty())
        MoveTo(pts[0]);
    else
        LineTo(pts[0]);
    for (size_t i = 1; i + 2 < pts.size(); i += 3) CurveTo(pts[i], pts[i + 1], pts[i + 2]);
}

bool TzuPathData::ArcToPoint(const TzuPoint& radii, float xAxisRotation, bool largeArc, bool sweep,
                             const TzuPoint& end) {
    // Endpoint-to-centre conversion, in double so the squares of large radii stay finite.
    const TzuPoint start = LastPoint();
    double rx = std::fabs(double(radii.X));
    double ry = std::fabs(double(radii.Y));
    if (rx == 0 || ry == 0 || start == end) return false;
    const double phi = DegreesToRadians(xAxisRotation);
    const double cosPhi = std::cos(phi), sinPhi = std::sin(phi);
    const double dx = (double(start.X) - end.X) / 2, dy = (double(start.Y) - end.Y) / 2;
    const double x1 = cosPhi * dx + sinPhi * dy;
    const double y1 = -sinPhi * dx + cosPhi * dy;

    const double lambda = x1 * x1 / (rx * rx) + y1 * y1 / (ry * ry);
    if (lambda > 1) {
        rx *= std::sqrt(lambda);
        ry *= std::sqrt(lambda);
    }
    const double rx2 = rx * rx, ry2 = ry * ry;
    const double q = (rx2 * ry2 - rx2 * y1 * y1 - ry2 * x1 * x1) / (rx2 * y1 * y1 + ry2 * x1 * x1);
    double c = q >= 0 ? std::sqrt(q) : 0;
    if (largeArc == sweep) c = -c;
    const double cx1 = c * rx * y1 / ry;
    const double cy1 = -c * ry * x1 / rx;
    const double cx = cosPhi * cx1 - sinPhi * cy1 + (double(start.X) + end.X) / 2;
    const double cy = sinPhi * cx1 + cosPhi * cy1 + (double(start.Y) + end.Y) / 2;

    const double ux = (x1 - cx1) / rx, uy = (y1 - cy1) / ry;
    const double vx = (-x1 - cx1) / rx, vy = (-y1 - cy1) / ry;
    const double lenU = std::hypot(ux, uy), lenV = std::hypot(vx, vy);
    const double theta1 = (uy >= 0 ? 1 : -1) * std::acos(std::clamp(ux / lenU, -1.0, 1.0));
    double delta = (ux * vy - uy * vx >= 0 ? 1 : -1) *
                   std::acos(std::clamp((ux * vx + uy * vy) / (lenU * lenV), -1.0, 1.0));
    if (!sweep && delta > 0) delta -= 2 * kPi;
    if (sweep && delta < 0) delta += 2 * kPi;

    std::vector<TzuPoint> pts;
    if (!ArcCurves(TzuPoint{}, TzuPoint{float(rx), float(ry)}, RadiansToDegrees(float(theta1)),
                   RadiansToDegrees(float(delta)), pts)) {
        return false;
    }
    const TzuMatrix translate{1, 0, 0, 0, 1, 0, float(cx), float(cy), 1};
    const TzuMatrix m = MatrixMultiply(RotationMatrix(float(phi)), translate);
    for (TzuPoint& p : pts) {
        p = PointFromVector(VectorTransform(VectorFromPoint(p, 1), m));
        if (!IsFinite(p)) return false;
    }
    // The arc continues from the current point: its own start is not added.
    for (size_t i = 1; i + 2 < pts.size(); i += 3) CurveTo(pts[i], pts[i + 1], pts[i + 2]);
    return true;
}

// ---- Queries ----

TzuRect TzuPathData::GetBounds() const {
    if (m_points.empty()) return TzuRect{};
    TzuRect r{65535, 65535, -65535, -65535};
    bool first = true;
    for (const TzuPathPoint& p : m_points) {
        if (p.Kind == zuPathPointClose) continue;
        if (first) {
            // Start from the first point, not the sentinel, so that paths lying wholly
            // beyond +-65535 still get their true bounds.
            r = TzuRect{p.Point.X, p.Point.Y, p.Point.X, p.Point.Y};
            first = false;
            continue;
        }
        r.Left = std::min(r.Left, p.Point.X);
        r.Top = std::min(r.Top, p.Point.Y);
        r.Right = std::max(r.Right, p.Point.X);
        r.Bottom = std::max(r.Bottom, p.Point.Y);
    }
    if (RectWidth(r) == 0) r.Right = r.Left + 0.001f;
    if (RectHeight(r) == 0) r.Bottom = r.Top + 0.001f;
    return r;
}

TzuPolygon TzuPathData::FlattenToPolygon(float flatness, TzuPoint* size) const {
    TzuPolygon poly;
    if (size) *size = TzuPoint{};
    if (m_points.empty()) return poly;
    const TzuRect b = GetBounds();
    const float scale = std::min(RectHeight(b) / 100, RectWidth(b) / 100);
    float step = flatness * scale;
    if (!(step >= 0.05f)) step = 0.05f;
    // Points a curve is split into, before the budget below.
    auto curveSteps = [&](size_t i) {
        const TzuPoint& p1 = m_points[i].Point;
        const TzuPoint& p3 = m_points[i + 2].Point;
        const double steps = std::nearbyint(std::hypot(double(p3.X) - p1.X, double(p3.Y) - p1.Y) / step);
        if (steps > kMaxCurveSteps) return kMaxCurveSteps;
        return steps > 2 ? int(steps) : 2;
    };

    // The polygon follows the path's size: every curve may want kMaxCurveSteps points, so
    // the points beyond a curve's least two are scaled down together when the whole would
    // pass the budget. Every other entry gives at most two points, so the budget holds.
    const int64_t budget = kFlattenFloor + 2 * int64_t(m_points.size());
    int64_t fixed = 0, curves = 0, extra = 0;
    for (size_t i = 0; i < m_points.size(); ++i) {
        const TzuPathPointKind kind = m_points[i].Kind;
        if (kind == zuPathPointCurveTo && IsCurveAt(m_points, i)) {
            ++curves;
            extra += curveSteps(i) - 2;
            i += 2;
        } else {
            fixed += kind == zuPathPointClose ? 2 : 1;
        }
    }
    const int64_t room = std::max<int64_t>(0, budget - fixed - 2 * curves);
    const double share = extra > room ? double(room) / double(extra) : 1.0;
    poly.reserve(size_t(std::min(budget, fixed + 2 * curves + extra)));

    TzuPoint current, figureStart;
    for (size_t i = 0; i < m_points.size(); ++i) {
        const TzuPathPoint& e = m_points[i];
        switch (e.Kind) {
            case zuPathPointMoveTo:
                poly.push_back(e.Point);
                current = figureStart = e.Point;
                break;
            case zuPathPointCurveTo:
                if (IsCurveAt(m_points, i)) {
                    const TzuPoint& p1 = e.Point;
                    const TzuPoint& p2 = m_points[i + 1].Point;
                    const TzuPoint& p3 = m_points[i + 2].Point;
                    int n = curveSteps(i);
                    if (share < 1.0) n = 2 + int(std::floor(double(n - 2) * share));
                    const float cx = 3 * (p1.X - current.X), cy = 3 * (p1.Y - current.Y);
                    const float bx = 3 * (p2.X - p1.X) - cx, by = 3 * (p2.Y - p1.Y) - cy;
                    const float ax = p3.X - current.X - cx - bx, ay = p3.Y - current.Y - cy - by;
                    const float dt = 1.0f / float(n - 1);
                    float t = 0;
                    for (int j = 0; j < n; ++j) {
                        const float t2 = t * t, t3 = t2 * t;
                        poly.push_back(TzuPoint{ax * t3 + bx * t2 + cx * t + current.X,
                                                ay * t3 + by * t2 + cy * t + current.Y});
                        t += dt;
                    }
                    current = p3;
                    i += 2;
                    break;
                }
                [[fallthrough]];  // a stray curve point: taken as a line
            case zuPathPointLineTo:
                poly.push_back(e.Point);
                current = e.Point;
                break;
            case zuPathPointClose:
                poly.push_back(figureStart);
                poly.push_back(ClosePolygon);
                break;
        }
    }
    if (size) *size = TzuPoint{std::fabs(RectWidth(b)), std::fabs(RectHeight(b))};
    return poly;
}

// ---- Text form ----

std::string TzuPathData::GetData() const {
    std::string s;
    auto point = [&s](const TzuPoint& p) {
        s += FloatToText(p.X);
        s += ',';
        s += FloatToText(p.Y);
        s += ' ';
    };
    for (size_t i = 0; i < m_points.size(); ++i) {
        const TzuPathPoint& e = m_points[i];
        switch (e.Kind) {
            case zuPathPointMoveTo:
                s += "M ";
                point(e.Point);
                break;
            case zuPathPointCurveTo:
                if (IsCurveAt(m_points, i)) {
                    s += "C ";
                    point(e.Point);
                    point(m_points[i + 1].Point);
                    point(m_points[i + 2].Point);
                    i += 2;
                    break;
                }
                [[fallthrough]];
            case zuPathPointLineTo:
                s += "L ";
                point(e.Point);
                break;
            case zuPathPointClose: s += "Z "; break;
        }
    }
    return s;
}

void TzuPathData::SetData(const std::string& text) { ParseData(text); }

std::string TzuPathData::SvgData() const { return SvgPathText(*this); }

void TzuPathData::SetSvgData(const std::string& text) {
    TzuPathData parsed;
    ParseSvgPath(text, parsed);
    m_points = std::move(parsed.m_points);
    m_startPoint = parsed.m_startPoint;
    Changed();
}

// Reads the Data text form into a path, one command letter at a time. Every builder step
// that fails, or leaves a point that is not finite, is undone; the reader goes on with the
// next command and reports the text as incomplete.
class TzuPathTextReader {
public:
    TzuPathTextReader(TzuPathData& path, std::string_view source) : m_path(path) {
        m_text.reserve(source.size());
        for (char c : source) {
            if (c != '\t' && c != '\n' && c != '\r') m_text += c;
        }
    }

    // False when some of the text could not be read.
    bool Read() {
        constexpr std::string_view kCommands = "zmlchvsqtaZMLCHVSQTA";
        bool complete = true;
        const size_t n = m_text.size();
        for (;;) {
            const size_t begin = m_at;
            SkipBlanks();
            const size_t run = m_at;
            while (m_at < n && kCommands.find(m_text[m_at]) != std::string_view::npos) ++m_at;
            const std::string letters = m_text.substr(run, m_at - run);
            for (char c : letters) {
                if (!Command(c)) complete = false;
            }
            if (m_at == begin) break;
        }
        return complete && m_at == n;
    }

private:
    static bool IsDigit(char c) { return c >= '0' && c <= '9'; }
    bool AtEnd() const { return m_at >= m_text.size(); }
    char Here() const { return m_text[m_at]; }

    void SkipBlanks() {
        while (!AtEnd() && Here() == ' ') ++m_at;
    }

    bool Number(float& v) {
        while (!AtEnd() && (Here() == ' ' || Here() == ',')) ++m_at;
        const size_t b = m_at;
        while (!AtEnd() && (IsDigit(Here()) || Here() == '.' || Here() == 'e' ||
                            (Here() == '-' && (m_at == b || m_text[m_at - 1] == 'e')))) {
            ++m_at;
        }
        const std::string_view token = std::string_view(m_text).substr(b, m_at - b);
        SkipBlanks();
        double d;
        // Beyond the range of a single the value would be written back as "0".
        if (!TryTextToFloat(token, d) || !(std::fabs(d) <= std::numeric_limits<float>::max())) return false;
        v = float(d);
        return true;
    }

    bool Point(TzuPoint& pt) { return Number(pt.X) && Number(pt.Y); }
    // Whether another set of numbers follows, repeating the last command.
    bool More() const { return !AtEnd() && (Here() == '-' || IsDigit(Here())); }

    template <class Build>
    bool Step(Build&& build) {
        const size_t before = m_path.m_points.size();
        const TzuPoint start = m_path.m_startPoint;
        bool ok = build();
        for (size_t i = before; ok && i < m_path.m_points.size(); ++i)
            ok = IsFinite(m_path.m_points[i].Point);
        if (!ok) {
            m_path.m_points.resize(before);
            m_path.m_startPoint = start;
        }
        return ok;
    }

    // A command whose points repeat while numbers follow.
    template <class Read, class Build>
    bool Repeated(Read&& read, Build&& build) {
        do {
            if (!read() || !Step([&] {
                    build();
                    return true;
                }))
                return false;
        } while (More());
        return true;
    }

    bool Command(char c) {
        TzuPathData& d = m_path;
        const bool rel = c >= 'a' && c <= 'z';
        TzuPoint a, b, e;
        float v;
        switch (c) {
            case 'Z':
            case 'z': d.ClosePath(); return true;
            case 'M':
            case 'm':
                // Points after the first of a move are lines.
                if (!Point(a) || !Step([&] {
                        rel ? d.MoveToRel(a) : d.MoveTo(a);
                        return true;
                    }))
                    return false;
                return !More() ||
                       Repeated([&] { return Point(a); }, [&] { rel ? d.LineToRel(a) : d.LineTo(a); });
            case 'L':
            case 'l': return Repeated([&] { return Point(a); }, [&] { rel ? d.LineToRel(a) : d.LineTo(a); });
            case 'C':
            case 'c':
                return Repeated([&] { return Point(a) && Point(b) && Point(e); },
                                [&] { rel ? d.CurveToRel(a, b, e) : d.CurveTo(a, b, e); });
            case 'S':
            case 's':
                return Repeated([&] { return Point(b) && Point(e); },
                                [&] { rel ? d.SmoothCurveToRel(b, e) : d.SmoothCurveTo(b, e); });
            case 'H':
            case 'h':
                return Number(v) && Step([&] {
                           rel ? d.HLineToRel(v) : d.HLineTo(v);
                           return true;
                       });
            case 'V':
            case 'v':
                return Number(v) && Step([&] {
                           rel ? d.VLineToRel(v) : d.VLineTo(v);
                           return true;
                       });
            // Quadratic curves are not part of this form: read and dropped.
            case 'Q':
            case 'q': return Point(a) && Point(b);
            case 'T':
            case 't': return Point(a);
            case 'A':
            case 'a': {
                TzuPoint flags;
                if (!Point(a) || !Number(v) || !Point(flags) || !Point(e)) return false;
                return Step([&] {
                    const TzuPoint end = rel ? Offset(d.LastPoint(), e) : e;
                    return d.ArcToPoint(a, v, flags.X == 1, flags.Y == 1, end);
                });
            }
        }
        return false;
    }

    TzuPathData& m_path;
    std::string m_text;
    size_t m_at = 0;
};

bool TzuPathData::ParseData(std::string_view source) {
    m_points.clear();
    m_startPoint = TzuPoint{};
    const bool complete = TzuPathTextReader(*this, source).Read();
    Changed();
    return complete;
}

// ---- Binary form ----

TzuBytes TzuPathData::SaveToBytes() const {
    TzuBytes out;
    out.reserve(4 + 12 * m_points.size());
    Put32(out, uint32_t(int32_t(m_points.size())));
    for (const TzuPathPoint& e : m_points) {
        Put32(out, uint32_t(e.Kind));
        Put32(out, std::bit_cast<uint32_t>(e.Point.X));
        Put32(out, std::bit_cast<uint32_t>(e.Point.Y));
    }
    return out;
}

bool TzuPathData::LoadFromBytes(const TzuBytes& bytes) {
    if (bytes.size() < 4) return false;
    const int32_t count = int32_t(Get32(bytes, 0));
    std::vector<TzuPathPoint> points;
    if (count >= 1) {
        const size_t avail = bytes.size() - 4;
        const size_t n = size_t(count);
        // Older files packed the kind into one byte.
        const size_t record = avail / n == 9 ? 9 : 12;
        if (avail / record < n) return false;
        points.reserve(n);
        for (size_t i = 0, at = 4; i < n; ++i, at += record) {
            const int64_t kind = record == 9 ? bytes[at] : int64_t(int32_t(Get32(bytes, at)));
            const size_t xy = at + record - 8;
            const TzuPoint pt{std::bit_cast<float>(Get32(bytes, xy)),
                              std::bit_cast<float>(Get32(bytes, xy + 4))};
            if (kind < zuPathPointMoveTo || kind > zuPathPointClose || !IsFinite(pt)) return false;
            points.push_back(TzuPathPoint{TzuPathPointKind(kind), pt});
        }
        if (!CurvesComplete(points)) return false;
    }
    m_points = std::move(points);
    m_startPoint = TzuPoint{};
    for (auto it = m_points.rbegin(); it != m_points.rend(); ++it) {
        if (it->Kind == zuPathPointMoveTo) {
            m_startPoint = it->Point;
            break;
        }
    }
    Changed();
    return true;
}

void TzuPathData::ReadPath(const TzuStreamValue& value) {
    const auto* bytes = std::get_if<TzuBytes>(&value);
    if (!bytes || !LoadFromBytes(*bytes)) throw EzuError("Invalid path data");
}

// ---- Resources ----

void TzuPathData::Link(TzuComponent* resource) const {
    // Only a holder that shares a path and tells us when it goes may be linked.
    const bool ok = SharedValue<TzuPathData>(resource) &&
                    WatchSharedHolder(resource, const_cast<TzuPathData*>(this), true);
    m_resource = ok ? resource : nullptr;
}

void TzuPathData::Unlink() const {
    WatchSharedHolder(m_resource, const_cast<TzuPathData*>(this), false);
    m_resource = nullptr;
}

void TzuPathData::SetResource(TzuComponent* resource) {
    if (resource == m_resource) return;
    Unlink();
    Link(resource);
    // Clearing the resource clears the name, so the path stops standing for it.
    m_resourceName = m_resource ? SharedHolderName(m_resource) : std::string();
    Changed();
}

void TzuPathData::SetResourceName(const std::string& name) {
    if (name == m_resourceName) return;
    m_resourceName = name;
    // A link to an object of another name would outlive the name that streams it.
    if (m_resource && !SameText(SharedHolderName(m_resource), name)) Unlink();
    Changed();
}

TzuPathData* TzuPathData::ResourcePath() const {
    if (m_resource) return SharedValue<TzuPathData>(m_resource);
    if (m_resourceName.empty()) return nullptr;
    TzuComponent* found = FindSharedHolder(m_resourceName);
    TzuPathData* shared = SharedValue<TzuPathData>(found);
    if (!shared || found->IsDestroying()) return nullptr;
    // Linking changes nothing the holder sees: the name already resolved to this path.
    Link(found);
    return shared;
}

void TzuPathData::FreeNotify(TzuPersistent* dying) {
    // The name stays, so a later use may find another object of that name.
    if (dying == m_resource) m_resource = nullptr;
}

void TzuPathData::Clear() {
    m_points.clear();
    m_startPoint = TzuPoint{};
    Changed();
}

void TzuPathData::Assign(const TzuPersistent& source) {
    const auto* src = As<TzuPathData>(&source);
    if (!src) {
        TzuPersistent::Assign(source);
        return;
    }
    if (src == this) return;
    if (src->ResourcePath()) {
        if (src->m_resource != m_resource) {
            Unlink();
            Link(src->m_resource);
        }
        m_resourceName = src->m_resourceName;
    } else {
        // A plain copy: the result must show the source's points, not a resource this
        // path may have been linked to before.
        Unlink();
        m_resourceName = src->m_resourceName;
        m_points = src->m_points;
        m_startPoint = src->m_startPoint;
    }
    Changed();
}

}  // namespace zu
