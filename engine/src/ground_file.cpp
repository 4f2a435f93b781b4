#include "ground_file.h"

#include "error_codes.h"
#include "geometry.h"

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstring>
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

// The node values after the counts, read the way fscanf's "%lf" reads them. The file is taken in
// chunks; a plain decimal number (sign, digits, point, exponent) that ends at a blank or at the end is
// converted directly, which gives the same double as the library's conversion. From the first value
// of any other form on (and throughout, where the decimal point is not '.') the rest is read by fscanf
// itself from that value's place in the file, so that whatever it accepts or refuses stays the same.
class NodeValues {
public:
    explicit NodeValues(std::FILE* file) : file_(file), start_(std::ftell(file)) {
        const char* point = std::localeconv()->decimal_point;
        plain_ = start_ >= 0 && point[0] == '.' && point[1] == '\0';
        if (plain_)
            refill();
    }

    // At most how many nodes the rest of the file can hold: each takes three numbers and three blanks.
    size_t nodeRoom() const {
        struct stat st {};
        return fstat(fileno(file_), &st) == 0 && st.st_size > start_
                   ? static_cast<size_t>(st.st_size - start_) / 6 + 1
                   : 1;
    }

    bool next(double& v) {
        if (plain_) {
            if (quick(v))
                return true;
            // The rest goes to fscanf, from where this value begins.
            plain_ = false;
            if (std::fseek(file_, start_ + static_cast<long>(pos_), SEEK_SET) != 0)
                return false;
        }
        return std::fscanf(file_, "%lf", &v) == 1;
    }

private:
    // Drops what has been read and appends the next chunk.
    void refill() {
        start_ += static_cast<long>(pos_);
        size_ -= pos_;
        std::memmove(text_, text_ + pos_, size_);
        pos_ = 0;
        const size_t got = std::fread(text_ + size_, 1, sizeof text_ - size_, file_);
        size_ += got;
        ended_ = got == 0;
    }

    // One plain number from pos_ on, when the text there is one; false otherwise, with pos_ where the
    // next value begins.
    bool quick(double& v) {
        for (;;) {
            const char* const end = text_ + size_;
            const char* p = text_ + pos_;
            while (p != end && isSpace(*p))
                ++p;
            pos_ = static_cast<size_t>(p - text_);
            const Scan scan = scanNumber(p, end);
            // A value that runs into the end of the chunk may go on in the next one.
            if (scan.stop == end && !ended_) {
                if (pos_ == 0 && size_ == sizeof text_)
                    return false;
                refill();
                continue;
            }
            if (!scan.plain)
                return false;
            v = scan.value;
            pos_ = static_cast<size_t>(scan.stop - text_);
            return true;
        }
    }

    struct Scan {
        const char* stop;
        bool plain;
        double value;
    };

    // Scans a plain number at p: plain when it is one and ends at a blank or at end. Up to 15 digits
    // with a power of ten up to 22 are exact doubles both, and one division or product of them is the
    // correctly rounded value; any other plain number is converted by from_chars.
    static Scan scanNumber(const char* p, const char* end) {
        const char* const first = p;
        const bool negative = p != end && *p == '-';
        if (p != end && (*p == '+' || *p == '-'))
            ++p;
        const char* const number = p;
        std::uint64_t mantissa = 0;
        int digits = 0, scale = 0;
        for (; p != end && isDigit(*p); ++p, ++digits)
            mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
        if (p != end && *p == '.')
            for (++p; p != end && isDigit(*p); ++p, ++digits, --scale)
                mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
        if (digits == 0)
            return {p, false, 0};
        if (p != end && (*p == 'e' || *p == 'E')) {
            ++p;
            const bool down = p != end && *p == '-';
            if (p != end && (*p == '+' || *p == '-'))
                ++p;
            const char* const exponent = p;
            int e = 0;
            for (; p != end && isDigit(*p); ++p)
                e = std::min(e * 10 + (*p - '0'), 100000);
            if (p == exponent)
                return {p, false, 0};
            scale += down ? -e : e;
        }
        if (p != end && !isSpace(*p))
            return {p, false, 0};
        static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                             1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                             1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
        double value = 0;
        if (digits <= 15 && scale >= -22 && scale <= 22) {
            const double m = static_cast<double>(mantissa);
            value = scale < 0 ? m / kPowers[-scale] : m * kPowers[scale];
            value = negative ? -value : value;
        } else {
            const auto [stop, ec] = std::from_chars(*first == '+' ? number : first, p, value);
            if (ec != std::errc() || stop != p)
                return {p, false, 0};
        }
        return {p, true, value};
    }

    std::FILE* file_;
    long start_; // the file offset of text_[0]
    char text_[1 << 16];
    size_t size_ = 0, pos_ = 0;
    bool ended_ = false; // the last read found the end of the file
    bool plain_ = true;
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
    // Filled once before the nodes are read into it: right after a run on every core this memory comes
    // back still held by the caches of the cores that read the last run's nodes, and the reader's stores,
    // a node at a time between conversions, each waited for its line (0.2 ms of the run's serial start
    // on a 200 x 30 file); a plain fill takes them all at once.
    ground.nodes.resize(ground.nodes.capacity());
    ground.nodes.clear();
    for (int64_t i = 0; i < total; ++i) {
        Vec3 v;
        if (!values.next(v.x) || !values.next(v.y) || !values.next(v.z) || !std::isfinite(v.x) ||
            !std::isfinite(v.y) || !std::isfinite(v.z))
            return errors::kBadGroundFile;
        ground.nodes.push_back(v);
    }
    ground.nodesPerCut = nodes;
    ground.cuts = cuts;
    IndexGround(ground);
    return 0;
}

namespace {
// The share of a segment's scale within which PROFIL's quick verdicts give none.
constexpr double kMargin = 1e-6;

// Whether the segment q-r runs in ascending X by more than the rounding of its end points.
bool clearlyAscending(const Vec3& q, const Vec3& r) {
    return q.x < r.x && r.x - q.x > kMargin * (std::fabs(q.x) + std::fabs(r.x));
}
} // namespace

void IndexGround(GroundData& ground) {
    const int segments = std::max(ground.nodesPerCut - 1, 0);
    ground.blocksPerCut = (segments + GroundData::kSegmentsPerBlock - 1) / GroundData::kSegmentsPerBlock;
    ground.blocks.assign(static_cast<size_t>(ground.blocksPerCut) * static_cast<size_t>(ground.cuts), {});
    for (int c = 0; c < ground.cuts; ++c)
        for (int b = 0; b < ground.blocksPerCut; ++b) {
            SegmentBlock& block = ground.blocks[static_cast<size_t>(c * ground.blocksPerCut + b)];
            const int first = 1 + b * GroundData::kSegmentsPerBlock;
            const int end = std::min(first + GroundData::kSegmentsPerBlock, ground.nodesPerCut);
            block.low = block.high = ground.node(c, first - 1);
            block.dxLeast = INFINITY;
            block.ascending = true;
            for (int i = first; i < end; ++i) {
                const Vec3& q = ground.node(c, i - 1);
                const Vec3& r = ground.node(c, i);
                block.low = {std::min(block.low.x, r.x), std::min(block.low.y, r.y),
                             std::min(block.low.z, r.z)};
                block.high = {std::max(block.high.x, r.x), std::max(block.high.y, r.y),
                              std::max(block.high.z, r.z)};
                const Vec3 d = r - q;
                block.span = std::max(block.span, std::fabs(d.x) + std::fabs(d.y) + std::fabs(d.z));
                block.dxLeast = std::min(block.dxLeast, d.x);
                block.dyMost = std::max(block.dyMost, std::fabs(d.y));
                block.ascending = block.ascending && clearlyAscending(q, r);
            }
        }
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
    // Coordinates far beyond any terrain's would let the exact step overflow: no verdict there.
    return scale < 1e100 && small > kMargin * scale && small > kMargin * large &&
           large - small > kMargin * scale && clearlyAscending(q, r);
}

// Whether surelyUncrossed holds for every segment of the block, for the plane through A of unit normal
// n (n.z is 0: the plane is vertical). From the block's box: the distances to the plane lie in [lo, hi]
// and each segment's change of distance is at least rise; the checks are those of surelyUncrossed for
// the nearest and farthest distance, the least change and the largest scale, with twice the margin
// for the rounding of the distances computed node by node.
bool blockSurelyUncrossed(const SegmentBlock& b, const Vec3& A, const Vec3& n) {
    if (!b.ascending)
        return false;
    const double x0 = n.x * (b.low.x - A.x), x1 = n.x * (b.high.x - A.x);
    const double y0 = n.y * (b.low.y - A.y), y1 = n.y * (b.high.y - A.y);
    const double lo = std::min(x0, x1) + std::min(y0, y1), hi = std::max(x0, x1) + std::max(y0, y1);
    const double small = lo > 0 ? lo : -hi, large = std::max(std::fabs(lo), std::fabs(hi));
    const double scale = std::max(std::fabs(b.low.x - A.x), std::fabs(b.high.x - A.x)) +
                         std::max(std::fabs(b.low.y - A.y), std::fabs(b.high.y - A.y)) +
                         std::max(std::fabs(b.low.z - A.z), std::fabs(b.high.z - A.z)) + b.span;
    const double rise = std::fabs(n.x) * b.dxLeast - std::fabs(n.y) * b.dyMost;
    const double slack = 1e-12 * scale;
    // Scales far beyond or within any terrain's could overflow or underflow the segments' checks.
    return scale < 1e99 && scale > 1e-99 && small > 2 * kMargin * scale + slack &&
           small > 2 * kMargin * large + slack && rise > 2 * kMargin * scale + slack;
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
        // The segments before the first one the plane may cross are skipped, block by block and then
        // by signs alone; the exact step then starts one segment earlier, whose intersection is the H
        // the skipped steps would leave.
        int first = 1;
        if (!ground.blocks.empty())
            for (int b = 0;
                 b < ground.blocksPerCut &&
                 blockSurelyUncrossed(ground.blocks[static_cast<size_t>(c * ground.blocksPerCut + b)], A, n);
                 ++b)
                first = std::min(first + GroundData::kSegmentsPerBlock, ground.nodesPerCut);
        double fq = dot(ground.node(c, first - 1) - A, n);
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
