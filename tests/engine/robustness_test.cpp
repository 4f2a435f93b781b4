// Mutated and random parameter files and 3D ground files through the loaded library, as the program
// runs it: every run must end (progress 100, or 0 with an error code) within a time limit, without a
// crash, and never write a NaN or an infinity into the plot file. The inputs of the run in progress are
// temp.inp and temp.3D in the test's output folder, so a crash leaves them behind for reproduction.
#include "engine_test_support.h"
#include "loaded_engine.h"

#include <chrono>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <dlfcn.h>

using namespace kelvd_test;

namespace {

enum class Outcome { Finished, Failed, Refused, Hung, FailedWithoutCode };

// Polls as the program does: the run is over at 100, or at 0 with a non-zero error. A run that sits at
// 0 with error 0 would keep the program waiting for ever.
Outcome RunOnce(LoadedEngine& e, std::chrono::milliseconds limit, int& code) {
    if (e.start("temp.inp", "temp.prn", "temp.3D") != 0) return Outcome::Refused;
    const auto until = std::chrono::steady_clock::now() + limit;
    for (;;) {
        const int p = e.progress();
        code = e.lastError();
        if (p == 100) return code == 0 ? Outcome::Finished : Outcome::FailedWithoutCode;
        if (p == 0 && code != 0) return Outcome::Failed;
        if (std::chrono::steady_clock::now() > until) return p == 0 ? Outcome::FailedWithoutCode : Outcome::Hung;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
}

using Rng = std::mt19937;

int Pick(Rng& rng, int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

template <class T> const T& PickOf(Rng& rng, const std::vector<T>& v) {
    return v[static_cast<std::size_t>(Pick(rng, 0, static_cast<int>(v.size()) - 1))];
}

// A valid model of one of the shapes the program writes: any field model, profile from the cards or the
// ground file, any cut type, a handful of points.
std::string BaseParameters(Rng& rng) {
    Model m;
    m.fieldModel = Pick(rng, 0, 2);
    if (Pick(rng, 0, 1)) {
        const int n = Pick(rng, 2, 8);
        for (int i = 0; i < n; ++i) m.ground.emplace_back(i * 1500.0, Pick(rng, -20, 40) * (i > 0));
    }
    m.permRe = Pick(rng, 0, 1) ? 0 : 15;
    m.conductivity = Pick(rng, 0, 1) ? 0 : 0.005;
    const int na = Pick(rng, 1, 3);
    for (int i = 0; i < na; ++i) {
        Antenna a{static_cast<double>(Pick(rng, 0, 400)), static_cast<double>(Pick(rng, -50, 50)),
                  14.0 * (i + 1)};
        a.sboMag = 0.2 * i;
        a.sboPha = 180.0 * (i % 2);
        a.clrMag = Pick(rng, 0, 3) == 0 ? 0.1 : 0;
        m.antennas.push_back(a);
    }
    m.flightType = Pick(rng, 1, 7);
    m.points = Pick(rng, 1, 6);
    switch (m.flightType) {
    case 1: // radius, angles
        m.p1x = 10000, m.p1y = 2, m.p1z = -5, m.p2x = 0, m.p2y = 4, m.p2z = 5;
        break;
    case 4: case 5: // level run: altitude in P3 and P6
        m.p1x = 0, m.p1y = 30000, m.p1z = 1000, m.p2x = 0, m.p2y = 5000, m.p2z = 1000;
        break;
    case 7: // orbit: radius, angles, height
        m.p1x = 10000, m.p1y = -10, m.p1z = 500, m.p2x = 0, m.p2y = 10, m.p2z = 500;
        break;
    default:
        break;
    }
    return paramFile(m);
}

std::string BaseGround(Rng& rng) {
    if (Pick(rng, 0, 3) == 0) return kDefaultGround;
    std::vector<double> ys;
    const int cuts = Pick(rng, 1, 8);
    for (int i = 0; i < cuts; ++i) ys.push_back(i * 2000.0);
    const int slope = Pick(rng, -3, 3);
    return groundFile(ys, Pick(rng, 2, 5), -1000, 1000, [slope](double y) { return slope * y / 1000; });
}

const std::vector<std::string> kTokens = {"0", "-1", "1", "2", "3", "5", "6", "7", "29", "30", "31", "250", "251",
                                          "-2147483648", "2147483647", "99999999999", "1e308", "-1e308", "1e-308",
                                          "nan", "inf", "-inf", "0.0001", "1e9", "-0", "1e15", "0x10", "+", "."};

bool IsNumberChar(char c) { return (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E'; }

// One random edit: a number replaced by an awkward one, characters or lines deleted, inserted,
// duplicated or swapped, or the text cut short.
void MutateOnce(std::string& s, Rng& rng) {
    if (s.empty()) {
        s = PickOf(rng, kTokens);
        return;
    }
    const auto at = [&] { return static_cast<std::size_t>(Pick(rng, 0, static_cast<int>(s.size()) - 1)); };
    switch (Pick(rng, 0, 7)) {
    case 0:
    case 1: { // replace the number around a random digit
        std::size_t i = at();
        for (int tries = 0; tries < 20 && !(s[i] >= '0' && s[i] <= '9'); ++tries) i = at();
        std::size_t b = i, e = i;
        while (b > 0 && IsNumberChar(s[b - 1])) --b;
        while (e < s.size() && IsNumberChar(s[e])) ++e;
        s.replace(b, e - b, PickOf(rng, kTokens));
        break;
    }
    case 2: // delete a span
        s.erase(at(), static_cast<std::size_t>(Pick(rng, 1, 24)));
        break;
    case 3: { // insert a character
        static const std::string chars = "'\n\r()\t ,-.e09";
        const char c = Pick(rng, 0, 4) == 0 ? static_cast<char>(Pick(rng, 0, 255))
                                            : chars[static_cast<std::size_t>(Pick(rng, 0, 13))];
        s.insert(at(), 1, c);
        break;
    }
    case 4: { // duplicate a line
        const std::size_t b = s.rfind('\n', at());
        const std::size_t from = b == std::string::npos ? 0 : b + 1;
        const std::size_t e = s.find('\n', from);
        const std::string line = s.substr(from, e == std::string::npos ? std::string::npos : e - from + 1);
        s.insert(from, line);
        break;
    }
    case 5: { // delete a line
        const std::size_t b = s.rfind('\n', at());
        const std::size_t from = b == std::string::npos ? 0 : b + 1;
        const std::size_t e = s.find('\n', from);
        s.erase(from, e == std::string::npos ? std::string::npos : e - from + 1);
        break;
    }
    case 6: // cut short
        s.resize(at());
        break;
    default: { // swap two characters far apart
        std::swap(s[at()], s[at()]);
        break;
    }
    }
}

std::string Mutated(std::string s, Rng& rng) {
    const int n = Pick(rng, 1, 4);
    for (int i = 0; i < n; ++i) MutateOnce(s, rng);
    return s;
}

std::string RandomText(Rng& rng) {
    static const std::string chars = "0123456789 \t\r\n'.-+e(),SECTION";
    std::string s;
    const int n = Pick(rng, 0, 400);
    for (int i = 0; i < n; ++i)
        s += Pick(rng, 0, 9) == 0 ? static_cast<char>(Pick(rng, 1, 255))
                                  : chars[static_cast<std::size_t>(Pick(rng, 0, static_cast<int>(chars.size()) - 1))];
    return s;
}

bool HasNonFinite(const std::string& plot) {
    return plot.find("nan") != std::string::npos || plot.find("inf") != std::string::npos ||
           plot.find("NAN") != std::string::npos || plot.find("INF") != std::string::npos;
}

class Robustness : public WorkDir {};

TEST_F(Robustness, MalformedInputsEndEveryRunCleanly) {
    LoadedEngine engine;
    ASSERT_TRUE(engine.loaded()) << dlerror();
    Rng rng(20240611);
    const auto budget = std::chrono::seconds(4);
    const auto begin = std::chrono::steady_clock::now();
    int runs = 0, finished = 0;
    for (; runs < 600 && std::chrono::steady_clock::now() - begin < budget; ++runs) {
        std::string inp = BaseParameters(rng), ground = BaseGround(rng);
        switch (Pick(rng, 0, 9)) {
        case 0: case 1: case 2: case 3: inp = Mutated(inp, rng); break;
        case 4: case 5: ground = Mutated(ground, rng); break;
        case 6: case 7: inp = Mutated(inp, rng); ground = Mutated(ground, rng); break;
        case 8: inp = RandomText(rng); break;
        default: ground = RandomText(rng); break;
        }
        writeFile("temp.inp", inp);
        writeFile("temp.3D", ground);
        int code = 0;
        const Outcome o = RunOnce(engine, std::chrono::seconds(20), code);
        if (o != Outcome::Finished && o != Outcome::Failed) {
            writeFile("failing.inp", inp);
            writeFile("failing.3D", ground);
        }
        ASSERT_NE(o, Outcome::Hung) << "run " << runs << " did not end; inputs kept as failing.inp, failing.3D";
        ASSERT_NE(o, Outcome::Refused) << "run " << runs << ": the previous run was still active";
        ASSERT_NE(o, Outcome::FailedWithoutCode) << "run " << runs << " ended at progress " << engine.progress()
                                                 << " with error " << code;
        if (o == Outcome::Finished) {
            ++finished;
            const std::string plot = readFile("temp.prn");
            if (HasNonFinite(plot)) writeFile("failing.inp", inp), writeFile("failing.3D", ground);
            ASSERT_FALSE(HasNonFinite(plot)) << "run " << runs << " wrote a non-finite value:\n" << plot;
        }
    }
    // The generator must reach the field models, not only the readers' rejections.
    EXPECT_GT(runs, 20);
    EXPECT_GT(finished, runs / 10);
    std::printf("%d runs, %d finished\n", runs, finished);
}

} // namespace
