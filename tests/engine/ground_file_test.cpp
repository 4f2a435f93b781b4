#include "error_codes.h"
#include "ground_file.h"

#include "engine_test_support.h"

#include <cmath>
#include <cstdio>

using namespace kelvd;
using namespace kelvd_test;

namespace {

int load(const std::string& text, GroundData& g) {
    std::FILE* f = std::tmpfile();
    std::fwrite(text.data(), 1, text.size(), f);
    std::rewind(f);
    const int rc = LoadGround(f, g);
    std::fclose(f);
    return rc;
}

GroundData loaded(const std::string& text) {
    GroundData g;
    EXPECT_EQ(load(text, g), 0) << text;
    return g;
}

} // namespace

TEST(LoadGround, ReadsCountsAndNodesWithEitherLineEnd) {
    for (const char* text : {"  3           2\r\n-100 0 1\r\n0 0 2\r\n100 0 3\r\n-100 500 4\r\n0 500 5\r\n100 500 6\r\n",
                             "3 2\n-100 0 1\n0 0 2\n100 0 3\n-100 500 4\n0 500 5\n100 500 6\n"}) {
        const GroundData g = loaded(text);
        EXPECT_EQ(g.nodesPerCut, 3);
        EXPECT_EQ(g.cuts, 2);
        EXPECT_NEAR(g.node(1, 2).x, 100, 1e-12);
        EXPECT_NEAR(g.node(1, 2).y, 500, 1e-12);
        EXPECT_NEAR(g.node(1, 2).z, 6, 1e-12);
    }
}

TEST(LoadGround, RejectsMalformedFiles) {
    std::string thirtyOne = "1 31\n";
    for (int i = 0; i < 31; ++i)
        thirtyOne += "0 " + std::to_string(i * 100) + " 0\n";
    struct Case {
        const char* what;
        std::string text;
        int code;
    } cases[] = {
        {"empty", "", errors::kBadGroundFile},
        {"one count", "3\n", errors::kBadGroundFile},
        {"words", "a b\n", errors::kBadGroundFile},
        {"no nodes per cut", "0 1\n", errors::kBadGroundFile},
        {"negative cuts", "1 -2\n0 0 0\n", errors::kBadGroundFile},
        {"too few numbers", "2 2\n0 0 0\n1 0 0\n0 10 0\n1 10\n", errors::kBadGroundFile},
        {"a word among the numbers", "1 2\n0 0 0\n0 x 0\n", errors::kBadGroundFile},
        {"not a number", "1 1\n0 nan 0\n", errors::kBadGroundFile},
        {"huge count, short file", "2000000000 2\n0 0 0\n", errors::kBadGroundFile},
        {"more than 30 cuts", thirtyOne, errors::kCard},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GroundData g;
        EXPECT_EQ(load(c.text, g), c.code);
    }
    thirtyOne.replace(0, 4, "1 30");
    EXPECT_EQ(loaded(thirtyOne).cuts, 30);
}

TEST(PROFIL, CutsTheVerticalPlaneThroughAntennaAndPoint) {
    // Cuts at Y 0, 1000, 2000 with Z = 10 + X / 10 across; the plane through A and P passes X = 25 at Y 1000.
    const std::string text = "3 3\n-100 0 0\n0 0 0\n100 0 0\n"
                             "-100 1000 0\n0 1000 10\n100 1000 20\n"
                             "-100 2000 0\n0 2000 10\n100 2000 20\n";
    const GroundData g = loaded(text);
    Profile p;
    PROFIL(g, {0, 0, 14}, {50, 2000, 100}, p);
    ASSERT_EQ(p.NV, 3);
    EXPECT_NEAR(p.v[0].x, 0, 1e-12); // vertex 0: antenna X, first node's Y, height 0
    EXPECT_NEAR(p.v[0].y, 0, 1e-12);
    EXPECT_NEAR(p.v[0].z, 0, 1e-12);
    EXPECT_NEAR(p.v[1].x, 25, 1e-9);
    EXPECT_NEAR(p.v[1].y, 1000, 1e-9);
    EXPECT_NEAR(p.v[1].z, 12.5, 1e-9);
    EXPECT_NEAR(p.v[2].x, 50, 1e-9);
    EXPECT_NEAR(p.v[2].z, 15, 1e-9);
}

TEST(PROFIL, EdgeCasesOfTheCut) {
    Profile p;
    // One cut: NV 1 and the single vertex (antenna X, Y, 0).
    PROFIL(loaded("  1           1\r\n 0.000    40.000    7.000\r\n"), {5, 0, 14}, {0, 9000, 300}, p);
    EXPECT_EQ(p.NV, 1);
    EXPECT_NEAR(p.v[0].x, 5, 1e-12);
    EXPECT_NEAR(p.v[0].y, 40, 1e-12);
    EXPECT_NEAR(p.v[0].z, 0, 1e-12);

    // Nodes in descending X are never crossed: Z stays 0 and Y is the first node's.
    PROFIL(loaded("2 2\n-10 0 0\n10 0 0\n100 500 9\n-100 600 9\n"), {0, 0, 14}, {0, 9000, 300}, p);
    EXPECT_NEAR(p.v[1].y, 500, 1e-12);
    EXPECT_NEAR(p.v[1].z, 0, 1e-12);

    // A field point straight above the antenna defines no plane: every value stays finite.
    PROFIL(loaded("2 2\n-10 0 0\n10 0 0\n-100 500 9\n100 500 9\n"), {0, 0, 14}, {0, 0, 300}, p);
    for (int i = 0; i < p.NV; ++i) {
        EXPECT_TRUE(std::isfinite(p.v[i].x) && std::isfinite(p.v[i].y) && std::isfinite(p.v[i].z));
    }
}
