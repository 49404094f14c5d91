// Many random user actions through the real event queue: switch clicks, both buttons, spin edits.
// Nothing crashes, and whenever the left button's conversion writes the number, it is the number
// the switches stand for at that moment.

#include "CallStack.hpp"
#include "RuntimeFixture.hpp"
#include "WindowDriver.hpp"

#include <QTest>
#include <random>

using namespace windowtest;

namespace {

constexpr int kActions = 100000;
constexpr int kActionsPerStep = 5; // small, so presses see many different patterns

using RandomEvents = testsupport::RuntimeTest;

void randomAction(std::mt19937 &rng)
{
    std::uniform_int_distribution<int> pick(0, 19);
    const int a = pick(rng);
    if (a < 14) {
        switches()[static_cast<size_t>(rng() % 16)]->click();
    } else if (a < 16) {
        leftButton()->click();
    } else if (a < 18) {
        rightButton()->click();
    } else if (a == 18) {
        spinEntry()->selectAll();
        QTest::keyClicks(spinEntry(), QString::number(rng() % 70000));
    } else {
        QTest::keyClick(spinEntry(), rng() % 2 ? Qt::Key_Up : Qt::Key_Down);
    }
}

TEST_F(RandomEvents, LeftButtonAlwaysShowsTheSwitchPattern)
{
    std::mt19937 rng(20261208);
    int leftConversions = 0;
    int disagreements = 0;
    std::vector<Step> steps;
    steps.push_back([&] {
        QObject::connect(spin(), &QSpinBox::valueChanged, spin(), [&](int value) {
            if (rt::PROCNAME(0) != "SX2ZAHL")
                return;
            ++leftConversions;
            if (value != switchPattern() ||
                twoByteField()->accessibleDescription() != hexBytes(value))
                ++disagreements;
        });
    });
    for (int i = 0; i < kActions / kActionsPerStep; ++i)
        steps.push_back([&] {
            for (int k = 0; k < kActionsPerStep; ++k)
                randomAction(rng);
        });
    EXPECT_TRUE(runMainWith(std::move(steps)));
    EXPECT_GT(leftConversions, 2000);
    EXPECT_EQ(disagreements, 0);
}

} // namespace
