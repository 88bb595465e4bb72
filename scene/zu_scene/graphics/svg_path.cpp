#include "scene/zu_scene/graphics/svg_path.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "scene/zu_scene/graphics/path_data.h"

namespace zu {

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

class SvgReader {
public:
    SvgReader(std::string_view text, TzuPathData& path) : m_s(text), m_path(path) {}

    bool Run() {
        SkipSpace();
        char command = 0;
        while (m_p < m_s.size()) {
            const char c = m_s[m_p];
            if (IsCommand(c)) {
                command = c;
                ++m_p;
            } else if (command == 0 || command == 'Z' || command == 'z' || !StartsNumber()) {
                // Numbers repeat the last command; nothing else may stand here.
                return false;
            }
            if (!Segment(command)) return false;
            // After a move, further coordinate pairs are lines.
            if (command == 'M') command = 'L';
            if (command == 'm') command = 'l';
            SkipSpace();
        }
        return true;
    }

private:
    static bool IsCommand(char c) {
        switch (c) {
            case 'M':
            case 'm':
            case 'L':
            case 'l':
            case 'H':
            case 'h':
            case 'V':
            case 'v':
            case 'C':
            case 'c':
            case 'S':
            case 's':
            case 'Q':
            case 'q':
            case 'T':
            case 't':
            case 'A':
            case 'a':
            case 'Z':
            case 'z': return true;
            default: return false;
        }
    }
    void SkipSpace() {
        while (m_p < m_s.size() && IsSpace(m_s[m_p])) ++m_p;
    }
    // White space with at most one comma in it.
    void SkipSeparator() {
        SkipSpace();
        if (m_p < m_s.size() && m_s[m_p] == ',') {
            ++m_p;
            SkipSpace();
        }
    }
    bool StartsNumber() const {
        if (m_p >= m_s.size()) return false;
        const char c = m_s[m_p];
        return IsDigit(c) || c == '.' || c == '-' || c == '+';
    }
    bool Number(float& v) {
        SkipSeparator();
        const size_t begin = m_p;
        size_t p = m_p;
        const size_t n = m_s.size();
        if (p < n && (m_s[p] == '+' || m_s[p] == '-')) ++p;
        size_t digits = 0;
        while (p < n && IsDigit(m_s[p])) ++p, ++digits;
        if (p < n && m_s[p] == '.') {
            ++p;
            while (p < n && IsDigit(m_s[p])) ++p, ++digits;
        }
        if (digits == 0) return false;
        // An exponent only when digits follow it: "1e" is the number 1 and then an error.
        if (p < n && (m_s[p] == 'e' || m_s[p] == 'E')) {
            size_t q = p + 1;
            if (q < n && (m_s[q] == '+' || m_s[q] == '-')) ++q;
            if (q < n && IsDigit(m_s[q])) {
                while (q < n && IsDigit(m_s[q])) ++q;
                p = q;
            }
        }
        std::string_view token = m_s.substr(begin, p - begin);
        if (token.front() == '+') token.remove_prefix(1);
        double d = 0;
        const auto result = std::from_chars(token.data(), token.data() + token.size(), d);
        if (result.ec != std::errc() || !(std::fabs(d) <= std::numeric_limits<float>::max())) return false;
        // Read as a single directly, so that a shortest single text reads back exactly;
        // values too small for a single become what the double turns into.
        float f = 0;
        const auto single = std::from_chars(token.data(), token.data() + token.size(), f);
        v = single.ec == std::errc() ? f : float(d);
        m_p = p;
        return true;
    }
    bool Flag(bool& f) {
        SkipSeparator();
        if (m_p >= m_s.size() || (m_s[m_p] != '0' && m_s[m_p] != '1')) return false;
        f = m_s[m_p++] == '1';
        return true;
    }
    bool Point(TzuPoint& pt, bool rel) {
        if (!Number(pt.X) || !Number(pt.Y)) return false;
        if (rel) pt = TzuPoint{pt.X + m_current.X, pt.Y + m_current.Y};
        return std::isfinite(pt.X) && std::isfinite(pt.Y);
    }
    // A drawing command right after a close starts its figure where the closed one began.
    void OpenFigure() {
        if (!m_open) {
            m_path.MoveTo(m_current);
            m_open = true;
        }
    }
    static bool Finite(const TzuPoint& p) { return std::isfinite(p.X) && std::isfinite(p.Y); }
    // False, adding nothing, when a worked-out control point overflows (a reflection or a
    // quadratic's controls near the largest single): such a point cannot be written back.
    bool Cubic(const TzuPoint& c1, const TzuPoint& c2, const TzuPoint& end) {
        if (!Finite(c1) || !Finite(c2) || !Finite(end)) return false;
        OpenFigure();
        m_path.CurveTo(c1, c2, end);
        m_current = end;
        return true;
    }
    static TzuPoint Reflect(const TzuPoint& control, const TzuPoint& around) {
        return TzuPoint{2 * around.X - control.X, 2 * around.Y - control.Y};
    }

    bool Segment(char command) {
        const bool rel = command >= 'a' && command <= 'z';
        const char kind = char(rel ? command - 32 : command);
        TzuPoint a, b, e;
        float v;
        // A path begins with a move.
        if (!m_moved && kind != 'M') return false;
        char last = 'M';
        std::swap(last, m_lastKind);
        switch (kind) {
            case 'Z':
                if (m_open) m_path.ClosePath();
                m_open = false;
                m_current = m_start;
                m_lastKind = 'Z';
                return true;
            case 'M':
                if (!Point(a, rel)) return false;
                m_path.MoveTo(a);
                m_current = m_start = a;
                m_open = m_moved = true;
                return true;
            case 'L':
                if (!Point(a, rel)) return false;
                OpenFigure();
                m_path.LineTo(a);
                m_current = a;
                return true;
            case 'H':
            case 'V': {
                if (!Number(v)) return false;
                a = m_current;
                float& axis = kind == 'H' ? a.X : a.Y;
                axis = rel ? axis + v : v;
                if (!std::isfinite(axis)) return false;
                OpenFigure();
                m_path.LineTo(a);
                m_current = a;
                return true;
            }
            case 'C':
                if (!Point(a, rel) || !Point(b, rel) || !Point(e, rel)) return false;
                if (!Cubic(a, b, e)) return false;
                m_control = b;
                m_lastKind = 'C';
                return true;
            case 'S':
                if (!Point(b, rel) || !Point(e, rel)) return false;
                a = last == 'C' ? Reflect(m_control, m_current) : m_current;
                if (!Cubic(a, b, e)) return false;
                m_control = b;
                m_lastKind = 'C';
                return true;
            case 'Q':
            case 'T': {
                if (kind == 'Q' ? !Point(a, rel) : false) return false;
                if (kind == 'T') a = last == 'Q' ? Reflect(m_control, m_current) : m_current;
                if (!Point(e, rel)) return false;
                // The cubic with control points two thirds of the way to the quadratic's.
                const TzuPoint p0 = m_current;
                const TzuPoint c1{p0.X + 2.0f / 3 * (a.X - p0.X), p0.Y + 2.0f / 3 * (a.Y - p0.Y)};
                const TzuPoint c2{e.X + 2.0f / 3 * (a.X - e.X), e.Y + 2.0f / 3 * (a.Y - e.Y)};
                if (!Cubic(c1, c2, e)) return false;
                m_control = a;
                m_lastKind = 'Q';
                return true;
            }
            case 'A': {
                float rx, ry, rotation;
                bool large, sweep;
                if (!Number(rx) || !Number(ry) || !Number(rotation) || !Flag(large) || !Flag(sweep) ||
                    !Point(e, rel)) {
                    return false;
                }
                // An arc to its own start is left out; one without a radius is a line.
                if (e == m_current) return true;
                OpenFigure();
                if (rx == 0 || ry == 0 || !m_path.ArcToPoint(TzuPoint{rx, ry}, rotation, large, sweep, e)) {
                    m_path.LineTo(e);
                }
                m_current = e;
                return true;
            }
            default: return false;
        }
    }

    std::string_view m_s;
    TzuPathData& m_path;
    size_t m_p = 0;
    TzuPoint m_current, m_start, m_control;
    // The kind of the previous segment ('C' cubic, 'Q' quadratic, others) for reflections.
    char m_lastKind = 'M';
    bool m_open = false;
    bool m_moved = false;
};

void AppendNumber(std::string& out, float v) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v == 0 ? 0.0f : v);
    out.append(buffer, result.ptr);
}

void AppendPoint(std::string& out, const TzuPoint& p) {
    AppendNumber(out, p.X);
    out += ',';
    AppendNumber(out, p.Y);
}

}  // namespace

bool ParseSvgPath(std::string_view text, TzuPathData& path) {
    SvgReader reader(text, path);
    return reader.Run();
}

std::string SvgPathText(const TzuPathData& path) {
    std::string out;
    const auto& points = path.Points();
    for (size_t i = 0; i < points.size(); ++i) {
        if (!out.empty()) out += ' ';
        switch (points[i].Kind) {
            case zuPathPointMoveTo:
                out += 'M';
                AppendPoint(out, points[i].Point);
                break;
            case zuPathPointLineTo:
                out += 'L';
                AppendPoint(out, points[i].Point);
                break;
            case zuPathPointCurveTo:
                out += 'C';
                for (size_t k = 0; k < 3 && i + k < points.size(); ++k) {
                    if (k > 0) out += ' ';
                    AppendPoint(out, points[i + k].Point);
                }
                i += 2;
                break;
            case zuPathPointClose: out += 'Z'; break;
        }
    }
    return out;
}

}  // namespace zu
