// Arrays shared by reference, AEVAL, published names and messages without regard to case, and
// what the runtime tells about itself.

#include "RuntimeTestKit.hpp"

#include <regex>

namespace {

using namespace rt;

using Values = testsupport::RuntimeTest;

TEST_F(Values, ACallbackSeesElementsAppendedAfterItWasMade)
{
    const Value aSx = newArray();
    std::vector<std::pair<Value, Value>> visited;
    const Value visit = block([&](Args &args) {
        visited.emplace_back(args.at(0), args.at(1));
        if (visited.size() == 1)
            AADD(aSx, "appended while visiting"); // AEVAL takes the length anew at each step
        return NIL;
    });
    AADD(aSx, "first");
    EXPECT_EQ(AEVAL(aSx, visit), aSx);
    const decltype(visited) expected = {{"first", 1}, {"appended while visiting", 2}};
    EXPECT_EQ(visited, expected);
    EXPECT_EQ(ELEMENT(aSx, 2), Value("appended while visiting"));
    EXPECT_EQ(ELEMENT(aSx, 1.9), Value("first")) << "an index counts by its whole part";
}

TEST_F(Values, NamesAndMessagesIgnoreCase)
{
    rttest::ErrorRecorder recorder;
    const Value window = std::make_shared<CrtWindow>();
    PUBLISH("oSLE", window);
    EXPECT_EQ(PUBLIC("osle"), window);
    EXPECT_EQ(SEND(PUBLIC("OSLE"), "CLASSNAME"), Value("CrtWindow"));
    EXPECT_EQ(SEND(window, "isderivedfrom", {ROOTCRT()}), Value(true));
    EXPECT_EQ(SEND(window, "isDerivedFrom", {"crtwindow"}), Value(true));
    EXPECT_EQ(SEND(window, "isDerivedFrom", {"Dialog"}), Value(false));
    EXPECT_TRUE(recorder.errors.empty());
}

TEST_F(Values, TheRuntimeTellsAboutItself)
{
    EXPECT_EQ(VERSION(), Value("1.50"));
    EXPECT_EQ(VERSION(3), Value("1"));
    EXPECT_TRUE(
        std::regex_match(TIME().text(), std::regex("([01][0-9]|2[0-3]):[0-5][0-9]:[0-5][0-9]")));
    EXPECT_TRUE(std::regex_match(OS().text(), std::regex("Linux .+")));
    EXPECT_EQ(APPNAME(true), Value(std::filesystem::canonical("/proc/self/exe").string()));
    EXPECT_EQ(APPNAME(), Value("runtime_tests"));
    EXPECT_EQ(APPTYPE(), Value(3));
    setAppType(AppType::Text);
    EXPECT_EQ(APPTYPE(), Value(0));
    EXPECT_TRUE(SETAPPWINDOW().isNil());
}

} // namespace
