// Bounded random inputs for the parameter-file and ground-file readers: mutations of valid files.
#include "fuzz/fuzz_harness.h"

#include "engine_test_support.h"

#include <random>

using namespace kelvd_test;

namespace {

std::string mutate(std::string s, std::mt19937& rng) {
    static const char kAlphabet[] = "0123456789 .-+eE\t\r\n'(),xnaif";
    std::uniform_int_distribution<int> kind(0, 6);
    const int edits = 1 + static_cast<int>(rng() % 8);
    for (int e = 0; e < edits && !s.empty(); ++e) {
        const size_t at = rng() % s.size();
        switch (kind(rng)) {
        case 0: s[at] = kAlphabet[rng() % (sizeof kAlphabet - 1)]; break;
        case 1: s.insert(at, 1, kAlphabet[rng() % (sizeof kAlphabet - 1)]); break;
        case 2: s.erase(at, 1 + rng() % 12); break;
        case 3: s.resize(at); break;
        case 4: s.insert(at, std::to_string(static_cast<int>(rng()))); break;
        case 5: s[at] = static_cast<char>(rng()); break;
        default: s.insert(at, s.substr(rng() % s.size(), rng() % 40)); break;
        }
    }
    return s;
}

} // namespace

TEST(Fuzz, RandomParameterAndGroundFilesNeitherCrashNorProduceNaN) {
    Model m;
    m.antennas = {Antenna{0, 0, 14, 0, 0, 0, 0, 0.5, 180, 1, 0, 0.1, 0}, Antenna{0, 0, 28, 0, 0, 0, 0, 0.5, 0, 0, 0}};
    m.ground = {{0, 0}, {5000, 10}};
    const std::string cards3d = paramFile([&] { Model g = m; g.ground.clear(); return g; }());
    const std::string cards = paramFile(m);
    const std::string ground = groundFile({0, 1000, 3000}, 4, -500, 500, [](double y) { return y / 300; });
    std::mt19937 rng(20261210);
    for (int i = 0; i < 6000; ++i) {
        std::string c = (i % 2 ? cards : cards3d);
        std::string g = ground;
        if (i % 3 != 1)
            c = mutate(c, rng);
        if (i % 3 != 0)
            g = mutate(g, rng);
        const std::string input = c + std::string(1, '\0') + g;
        ASSERT_TRUE(kelvd_fuzz::FuzzOne(reinterpret_cast<const std::uint8_t*>(input.data()), input.size()))
            << "input " << i;
    }
}
