#include "editors/logic/ElementParameters.h"
#include "editors/logic/PanelLayout.h"

#include <gtest/gtest.h>

using namespace editors;
using namespace shell;

namespace {

TEST(ElementParameters, LoadShowsAllTwelveWordsAsGeneralText) {
    ModelVariables m;
    m.NumAnts = 1;
    m.Ant(1).Alpha = 0.5F;
    m.Ant(2).Phi1 = -45;
    m.Ant(3).Phi3 = 123.456789F;
    const ElementParameterTexts t = LoadElementParameters(m);
    EXPECT_EQ(t.AntAlpha, (ColumnTexts{"0.5", "0", "0"}));
    EXPECT_EQ(t.AntPhi1, (ColumnTexts{"0", "-45", "0"}));
    EXPECT_EQ(t.AntPhi3, (ColumnTexts{"0", "0", "123.4568"}));
}

TEST(ElementParameters, DoneStoresAllTwelveWordsWhateverTheNumberOfAntennas) {
    ModelVariables m;
    m.NumAnts = 1;
    m.Ant(3).Phi3 = 123.456789F;
    ElementParameterTexts t = LoadElementParameters(m);
    t.AntAlpha = {"1", "2", "3"};
    t.AntPhi1 = {"4", "5", "6"};
    t.AntPhi2 = {"7", "8", "9"};
    t.AntPhi3[0] = "10";
    t.AntPhi3[1] = "1,000";
    StoreElementParameters(t, m);
    const float expected[3][4] = {{1, 4, 7, 10}, {2, 5, 8, 1000}, {3, 6, 9, 123.4568F}};
    for (int k = 1; k <= 3; ++k) {
        const AntennaRec& r = m.Ant(k);
        const float* e = expected[k - 1];
        EXPECT_FLOAT_EQ(r.Alpha, e[0]);
        EXPECT_FLOAT_EQ(r.Phi1, e[1]);
        EXPECT_FLOAT_EQ(r.Phi2, e[2]);
        EXPECT_FLOAT_EQ(r.Phi3, e[3]); // more than seven digits come back rounded to seven
    }
    EXPECT_FLOAT_EQ(m.Ant(1).X, 0); // no other word changes
}

TEST(PanelLayout, OptionButtonSetsTheNumberOfAntennas) {
    for (int index : {0, 1, 2}) {
        ModelVariables m;
        const AntennaPanelLayout l = SelectNumberOfAntennas(index, m);
        EXPECT_EQ(m.NumAnts, index + 1);
        EXPECT_EQ(l.Captions, LayoutAntennaPanel(m.NumAnts).Captions);
    }
}

} // namespace
