#include "ground_file.h"

#include "error_codes.h"
#include "geometry.h"

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <string>

#include <sys/stat.h>

namespace kelvd {

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The node values after the counts, read the way fscanf's "%lf" reads them. The file is taken in one
// piece; a plain decimal number (sign, digits, point, exponent) that ends at a blank or at the end is
// converted directly, which gives the same double as the library's conversion. From the first value
// of any other form on (and throughout, where the decimal point is not '.') the rest is read by fscanf
// itself, so that whatever it accepts or refuses stays the same.
class NodeValues {
public:
    explicit NodeValues(std::FILE* file) {
        struct stat st {};
        if (fstat(fileno(file), &st) == 0 && st.st_size > 0)
            text_.reserve(static_cast<size_t>(st.st_size));
        char chunk[1 << 16];
        size_t got;
        while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
            text_.append(chunk, got);
        const char* point = std::localeconv()->decimal_point;
        plain_ = point[0] == '.' && point[1] == '\0';
    }
    NodeValues(const NodeValues&) = delete;
    NodeValues& operator=(const NodeValues&) = delete;
    ~NodeValues() {
        if (memory_)
            std::fclose(memory_);
    }

    // At most how many nodes the text can hold: each takes three numbers and three blanks.
    size_t nodeRoom() const { return text_.size() / 6 + 1; }

    bool next(double& v) {
        if (plain_ && quick(v))
            return true;
        if (!memory_) {
            plain_ = false;
            if (pos_ >= text_.size())
                return false;
            memory_ = fmemopen(text_.data() + pos_, text_.size() - pos_, "r");
            if (!memory_)
                return false;
        }
        return std::fscanf(memory_, "%lf", &v) == 1;
    }

private:
    bool quick(double& v) {
        const char* const end = text_.data() + text_.size();
        const char* p = text_.data() + pos_;
        while (p != end && isSpace(*p))
            ++p;
        const char* first = p;
        if (p != end && (*p == '+' || *p == '-'))
            ++p;
        const char* digits = p;
        while (p != end && isDigit(*p))
            ++p;
        size_t count = static_cast<size_t>(p - digits);
        if (p != end && *p == '.') {
            const char* fraction = ++p;
            while (p != end && isDigit(*p))
                ++p;
            count += static_cast<size_t>(p - fraction);
        }
        if (count == 0)
            return false;
        if (p != end && (*p == 'e' || *p == 'E')) {
            ++p;
            if (p != end && (*p == '+' || *p == '-'))
                ++p;
            const char* exponent = p;
            while (p != end && isDigit(*p))
                ++p;
            if (p == exponent)
                return false;
        }
        if (p != end && !isSpace(*p))
            return false;
        if (*first == '+')
            ++first;
        const auto [stop, ec] = std::from_chars(first, p, v);
        if (ec != std::errc() || stop != p)
            return false;
        pos_ = static_cast<size_t>(p - text_.data());
        return true;
    }

    std::string text_;
    size_t pos_ = 0;
    bool plain_ = true;
    std::FILE* memory_ = nullptr;
};

} // namespace

int LoadGround(std::FILE* file, GroundData& ground) {
    ground = GroundData{};
    int nodes = 0, cuts = 0;
    if (std::fscanf(file, "%d %d", &nodes, &cuts) != 2 || nodes < 1 || cuts < 1)
        return errors::kBadGroundFile;
    if (cuts > limits::kMaxGroundCuts)
        return errors::kCard;
    // Nodes are stored as they are read, so a count that the file does not back allocates nothing.
    const int64_t total = static_cast<int64_t>(nodes) * cuts;
    NodeValues values(file);
    ground.nodes.reserve(
        static_cast<size_t>(std::min<int64_t>(total, static_cast<int64_t>(values.nodeRoom()))));
    for (int64_t i = 0; i < total; ++i) {
        Vec3 v;
        if (!values.next(v.x) || !values.next(v.y) || !values.next(v.z) || !std::isfinite(v.x) ||
            !std::isfinite(v.y) || !std::isfinite(v.z))
            return errors::kBadGroundFile;
        ground.nodes.push_back(v);
    }
    ground.nodesPerCut = nodes;
    ground.cuts = cuts;
    return 0;
}

namespace {
// Whether the exact step of PROFIL for the segment q-r (its intersection H with the plane through A of
// unit normal n) certainly finds no crossing and is not parallel: q.X < r.X and both nodes lie on one side
// of the plane, clear of the rounding of that step, and the segment clearly meets the plane at an angle.
// Needs no square root or division.
bool surelyUncrossed(const Vec3& q, const Vec3& r, double fq, double fr, const Vec3& A) {
    if (!(q.x < r.x) || !(fq * fr > 0))
        return false;
    const double small = std::min(std::fabs(fq), std::fabs(fr)),
                 large = std::max(std::fabs(fq), std::fabs(fr));
    const Vec3 d = r - q;
    const double span = std::fabs(d.x) + std::fabs(d.y) + std::fabs(d.z);
    const double scale = std::fabs(q.x - A.x) + std::fabs(q.y - A.y) + std::fabs(q.z - A.z) + span;
    constexpr double kMargin = 1e-6;
    // Coordinates far beyond any terrain's would let the exact step overflow: no verdict there.
    return scale < 1e100 && small > kMargin * scale && small > kMargin * large &&
           large - small > kMargin * scale && d.x > kMargin * (std::fabs(q.x) + std::fabs(r.x));
}
} // namespace

void PROFIL(const GroundData& ground, const Vec3& A, const Vec3& P, Profile& profile) {
    Vec3 n;
    VECTOR(2, Vec3{0, 0, -1}, P - A, n);
    profile = Profile{};
    profile.NV = ground.cuts;
    // The plane may be parallel to every segment tried: the intersection then stays at the antenna.
    Vec3 H = A;
    for (int c = 0; c < ground.cuts; ++c) {
        Vec3& v = profile.v[static_cast<size_t>(c)];
        v = Vec3{A.x, ground.node(c, 0).y, 0};
        if (c == 0)
            continue;
        // The segments before the first one the plane may cross are skipped by signs alone; the exact
        // step then starts one segment earlier, whose intersection is the H the skipped steps would leave.
        int first = 1;
        double fq = dot(ground.node(c, 0) - A, n);
        while (first < ground.nodesPerCut) {
            const double fr = dot(ground.node(c, first) - A, n);
            if (!surelyUncrossed(ground.node(c, first - 1), ground.node(c, first), fq, fr, A))
                break;
            fq = fr;
            ++first;
        }
        CrossCut(ground, c, std::max(first - 1, 1), A, n, H, v);
    }
}

void CrossCut(const GroundData& ground, int c, int from, const Vec3& A, const Vec3& n, Vec3& H, Vec3& v) {
    Vec3 q = ground.node(c, from - 1);
    for (int i = from; i < ground.nodesPerCut; ++i) {
        const Vec3& r = ground.node(c, i);
        Vec3 s;
        VECTOR(3, q, r, s);
        int parallel = 0;
        PLNINT(A, n, q, s, H, parallel);
        v.x = H.x;
        if (q.x <= H.x && H.x <= r.x) {
            v.y = H.y;
            v.z = H.z;
            return;
        }
        q = r;
    }
}

} // namespace kelvd
