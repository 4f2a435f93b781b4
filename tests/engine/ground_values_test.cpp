#include "error_codes.h"
#include "ground_file.h"
#include "ground_values.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

using namespace kelvd;

namespace {

// Tasks taken by an atomic counter on threads - 1 threads and the calling one.
ParallelTasks onThreads(int threads) {
    return [threads](size_t count, const std::function<void(size_t)>& task) {
        std::atomic<size_t> next{0};
        const auto work = [&] {
            for (size_t k; (k = next.fetch_add(1)) < count;)
                task(k);
        };
        std::vector<std::thread> others;
        for (int i = 1; i < threads; ++i)
            others.emplace_back(work);
        work();
        for (std::thread& t : others)
            t.join();
    };
}

// Tasks run last to first on the calling thread; the counts it was given, call by call.
struct Reversed {
    std::vector<size_t> counts;
    ParallelTasks tasks() {
        return [this](size_t count, const std::function<void(size_t)>& task) {
            counts.push_back(count);
            for (size_t k = count; k-- > 0;)
                task(k);
        };
    }
};

struct Outcome {
    int code;
    GroundData ground;
};

Outcome loadFrom(std::FILE* f, const ParallelTasks* parallel) {
    Outcome o{0, {}};
    o.code = LoadGround(f, o.ground, parallel);
    std::fclose(f);
    return o;
}

Outcome load(const std::string& text, const ParallelTasks* parallel) {
    std::FILE* f = std::tmpfile();
    std::fwrite(text.data(), 1, text.size(), f);
    std::rewind(f);
    return loadFrom(f, parallel);
}

bool sameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}
bool sameBits(const Vec3& a, const Vec3& b) {
    return sameBits(a.x, b.x) && sameBits(a.y, b.y) && sameBits(a.z, b.z);
}

void expectSame(const Outcome& a, const Outcome& b) {
    ASSERT_EQ(a.code, b.code);
    const GroundData &g = a.ground, &h = b.ground;
    ASSERT_EQ(g.nodesPerCut, h.nodesPerCut);
    ASSERT_EQ(g.cuts, h.cuts);
    ASSERT_EQ(g.blocksPerCut, h.blocksPerCut);
    ASSERT_EQ(g.nodes.size(), h.nodes.size());
    ASSERT_EQ(g.nodes.capacity(), h.nodes.capacity());
    for (size_t i = 0; i < g.nodes.size(); ++i)
        ASSERT_TRUE(sameBits(g.nodes[i], h.nodes[i])) << "node " << i << ": " << g.nodes[i].x << " "
                                                       << g.nodes[i].y << " " << g.nodes[i].z;
    ASSERT_EQ(g.blocks.size(), h.blocks.size());
    for (size_t i = 0; i < g.blocks.size(); ++i) {
        const SegmentBlock &p = g.blocks[i], &q = h.blocks[i];
        ASSERT_TRUE(sameBits(p.low, q.low) && sameBits(p.high, q.high) && sameBits(p.span, q.span) &&
                    sameBits(p.dxLeast, q.dxLeast) && sameBits(p.dyMost, q.dyMost) &&
                    p.ascending == q.ascending)
            << "block " << i;
    }
}

// How many pieces the text after the counts (which end at countsEnd) makes.
size_t piecesOf(const std::string& text, size_t countsEnd) {
    const size_t rest = text.size() - countsEnd;
    return std::max<size_t>(1, (rest + NodeValues::kPieceBytes - 1) / NodeValues::kPieceBytes);
}

// Every way of reading the text in pieces gives the serial read's outcome, and it was read in pieces.
// Returns the serial outcome.
Outcome expectReadAlike(const std::string& text, size_t countsEnd) {
    const Outcome serial = load(text, nullptr);
    const ParallelTasks none;
    const ParallelTasks threads[] = {onThreads(8), onThreads(3)};
    EXPECT_NO_FATAL_FAILURE(expectSame(load(text, &none), serial));
    for (const ParallelTasks& t : threads)
        EXPECT_NO_FATAL_FAILURE(expectSame(load(text, &t), serial));
    Reversed reversed;
    const ParallelTasks backwards = reversed.tasks();
    EXPECT_NO_FATAL_FAILURE(expectSame(load(text, &backwards), serial));
    EXPECT_EQ(reversed.counts, std::vector<size_t>{piecesOf(text, countsEnd)});
    return serial;
}

// Values of every plain form: integers with and without signs and leading zeros, points on either
// side, exponents of either case and sign, 16 digits and more, powers of ten past 22, subnormal and
// huge numbers, and hard roundings.
std::string plainValue(std::mt19937_64& rng) {
    static const char* const hard[] = {"4.9e-324",
                                       "2.2250738585072011e-308",
                                       "1.7976931348623157e308",
                                       "9007199254740993",
                                       "123456789012345e23",
                                       "123456789012345e-22",
                                       "0.1000000000000000055511151231257827021181583404541015625",
                                       "1E+05",
                                       "-.25e-3",
                                       "5.",
                                       "+5",
                                       "-0",
                                       "000123.4500",
                                       "99999999999999999999e-20"};
    char b[64];
    switch (rng() % 5) {
    case 0:
        return hard[rng() % std::size(hard)];
    case 1: {
        // Any finite double, at full or random precision.
        double v;
        do {
            const std::uint64_t bits = rng();
            std::memcpy(&v, &bits, sizeof v);
        } while (!std::isfinite(v));
        if (rng() % 2)
            std::snprintf(b, sizeof b, "%.17g", v);
        else
            std::snprintf(b, sizeof b, "%.*e", static_cast<int>(rng() % 17), v);
        return b;
    }
    case 2: {
        // Up to 25 digits with the point anywhere and perhaps an exponent.
        std::string s = rng() % 3 == 0 ? "-" : rng() % 5 == 0 ? "+" : "";
        const int digits = 1 + static_cast<int>(rng() % 25), point = static_cast<int>(rng() % (digits + 2));
        for (int i = 0; i < digits; ++i) {
            if (i == point)
                s += '.';
            s += static_cast<char>('0' + rng() % 10);
        }
        if (rng() % 3 == 0)
            s += std::string(rng() % 2 ? "e" : "E") + (rng() % 2 ? "-" : rng() % 2 ? "+" : "") +
                 std::to_string(rng() % 40);
        return s;
    }
    default:
        // As a ground file's usual values.
        std::snprintf(b, sizeof b, "%.3f", static_cast<double>(static_cast<std::int64_t>(rng() % 20000000)) / 1000 - 10000);
        return b;
    }
}

struct Text {
    std::string text;
    size_t countsEnd;
};

// A ground file of the counts and the values, three to a line, with runs of blanks, CR LF or LF.
Text render(const std::string& counts, const std::vector<std::string>& values, bool crlf, std::mt19937_64& rng) {
    static const char* const blanks[] = {" ", "  ", "\t", "    ", " \t  "};
    const char* const eol = crlf ? "\r\n" : "\n";
    Text t{counts, counts.size()};
    t.text += eol;
    for (size_t i = 0; i < values.size(); ++i) {
        t.text += blanks[rng() % std::size(blanks)];
        t.text += values[i];
        if (i % 3 == 2)
            t.text += eol;
    }
    return t;
}

std::string counts(int nodes, int cuts) {
    return "  " + std::to_string(nodes) + "           " + std::to_string(cuts);
}

std::vector<std::string> plainValues(size_t n, std::mt19937_64& rng) {
    std::vector<std::string> v(n);
    for (std::string& s : v)
        s = plainValue(rng);
    return v;
}

} // namespace

TEST(GroundValuesInPieces, ReadsGeneratedFilesAsTheSerialReader) {
    std::mt19937_64 rng(35);
    for (int trial = 0; trial < 60; ++trial) {
        SCOPED_TRACE(trial);
        // One piece, a few, and many.
        const int nodes = trial % 3 == 0 ? 1 + static_cast<int>(rng() % 8) : 20 + static_cast<int>(rng() % 400);
        const int cuts = 1 + static_cast<int>(rng() % 30);
        const std::vector<std::string> values = plainValues(3 * static_cast<size_t>(nodes) * cuts, rng);
        const Text t = render(counts(nodes, cuts), values, trial % 2 == 0, rng);
        const Outcome o = expectReadAlike(t.text, t.countsEnd);
        ASSERT_EQ(o.code, 0);
        ASSERT_EQ(o.ground.nodes.size(), values.size() / 3);
        if (::testing::Test::HasFailure())
            return;
    }
}

// Shifting the text under the pieces' nominal boundaries one character at a time puts each boundary on,
// in, just before and just after numbers and in runs of blanks.
TEST(GroundValuesInPieces, BoundariesOnAndBesideNumbers) {
    std::mt19937_64 rng(7);
    const std::vector<std::string> values = plainValues(3 * 300 * 30, rng);
    for (bool crlf : {true, false})
        for (size_t shift = 0; shift < 48; ++shift) {
            SCOPED_TRACE(shift);
            Text t = render(counts(300, 30), values, crlf, rng);
            t.text.insert(t.countsEnd, shift, ' ');
            ASSERT_GE(piecesOf(t.text, t.countsEnd), 10u);
            EXPECT_EQ(expectReadAlike(t.text, t.countsEnd).code, 0);
            if (::testing::Test::HasFailure())
                return;
        }
}

// A value of a form fscanf reads on its own (or refuses), before, at and after the last value needed,
// with that last value in the first, a middle and the last piece; too few values; garbage after them.
TEST(GroundValuesInPieces, OtherFormsTooFewValuesAndGarbageAsTheSerialReader) {
    const std::string forms[] = {"1e", "0x1p3", "inf", "nan", "1.0-2.0", "+-1", "word", ".", "1e400", std::string("1\0", 2)};
    struct Where {
        const char* what;
        int nodes, cuts;
        size_t after; // plain values after the last one needed
    } const wheres[] = {
        {"last needed value in the first piece", 5, 2, 40000},
        {"in a middle piece", 200, 30, 18000},
        {"in the last piece", 200, 30, 0},
        {"one piece", 4, 3, 0},
    };
    std::mt19937_64 rng(11);
    for (const Where& w : wheres) {
        const size_t need = 3 * static_cast<size_t>(w.nodes) * w.cuts;
        const std::vector<std::string> base = plainValues(need + w.after, rng);
        struct Edit {
            const char* what;
            size_t at;
            bool insert;
        } const edits[] = {
            {"replacing the first value", 0, false},
            {"replacing the one before the last needed", need - 2, false},
            {"replacing the last needed", need - 1, false},
            {"after the last needed", need, true},
        };
        for (const Edit& e : edits)
            for (const std::string& form : forms) {
                SCOPED_TRACE(std::string(w.what) + ", " + e.what + ": " + form);
                std::vector<std::string> values = base;
                if (e.insert)
                    values.insert(values.begin() + static_cast<long>(e.at), form);
                else
                    values[e.at] = form;
                const Text t = render(counts(w.nodes, w.cuts), values, e.at % 2 == 0, rng);
                ASSERT_NO_FATAL_FAILURE(expectReadAlike(t.text, t.countsEnd));
            }
        for (size_t missing : {size_t{1}, size_t{2}, need}) {
            if (w.after > 0)
                break;
            SCOPED_TRACE(std::string(w.what) + ": too few values");
            const std::vector<std::string> values(base.begin(), base.end() - static_cast<long>(missing));
            const Text t = render(counts(w.nodes, w.cuts), values, true, rng);
            EXPECT_EQ(expectReadAlike(t.text, t.countsEnd).code, errors::kBadGroundFile);
        }
        for (const std::string& garbage : {std::string("garbage 1e"), std::string("\0tail", 5), std::string("7x")}) {
            SCOPED_TRACE(std::string(w.what) + ": garbage after the values");
            const Text t = render(counts(w.nodes, w.cuts), base, false, rng);
            EXPECT_EQ(expectReadAlike(t.text + garbage, t.countsEnd).code, 0);
        }
    }
}

// A pipe (no offset, no size) and a rest of the file past the cap are read serially, to the same end.
TEST(GroundValuesInPieces, PipesAndHugeFilesAreReadSerially) {
    const std::string small = "2 1\n1 2.5 3\n4e1 5 0x6p0\n";
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    ASSERT_EQ(write(fds[1], small.data(), small.size()), static_cast<ssize_t>(small.size()));
    close(fds[1]);
    Reversed piped;
    const ParallelTasks pipedTasks = piped.tasks();
    const Outcome fromPipe = loadFrom(fdopen(fds[0], "r"), &pipedTasks);
    EXPECT_EQ(fromPipe.code, 0);
    expectSame(fromPipe, load(small, nullptr));
    EXPECT_TRUE(piped.counts.empty());

    for (size_t extra : {0, 1}) {
        SCOPED_TRACE(extra);
        std::string text = "1 1\n0 -1 2.5e3";
        text.resize(3 + NodeValues::kMostPiecedBytes + extra, ' ');
        Reversed reversed;
        const ParallelTasks tasks = reversed.tasks();
        const Outcome o = load(text, &tasks);
        EXPECT_EQ(o.code, 0);
        expectSame(o, load(text, nullptr));
        EXPECT_EQ(reversed.counts, extra ? std::vector<size_t>{}
                                         : std::vector<size_t>{NodeValues::kMostPiecedBytes / NodeValues::kPieceBytes});
    }
}
