// DBESYS and APPEXIT: the engines and the date format at start-up, one alert per failure with its
// exact text, and the quiet exit procedure that swallows errors and restores the error callback.

#include "Hooks.hpp"
#include "Runtime.hpp"
#include "RuntimeFixture.hpp"
#include "Seams.hpp"

namespace {

class Hooks : public testsupport::RuntimeTest
{
protected:
    void SetUp() override
    {
        RuntimeTest::SetUp();
        dialogs = std::make_shared<testsupport::ScriptedDialogs>(std::deque<int>{1, 1, 1, 1, 1});
        rt::installDialogs(dialogs);
    }
    std::vector<rt::Text> alerts() const
    {
        std::vector<rt::Text> texts;
        for (const auto &call : dialogs->calls()) {
            EXPECT_EQ(call.options, std::vector<rt::Text>{"OK"});
            texts.push_back(call.text);
        }
        return texts;
    }
    std::shared_ptr<testsupport::ScriptedDialogs> dialogs;
};

TEST_F(Hooks, DatabaseEnginesLoadAndEachFailureIsAlertedOnce)
{
    struct Row
    {
        const char *name;
        const char *missing; // nullptr: every engine is there
        std::vector<rt::Text> alerts;
        bool compoundBuilt;
    } rows[] = {
        {"every engine loads: no box", nullptr, {}, true},
        {"only DELDBE missing: one box", "DELDBE", {"DELDBE Database-Engine nicht geladen"}, true},
        {"DBFDBE missing: its box, then the build's box",
         "DBFDBE",
         {"DBFDBE Database-Engine nicht geladen",
          "DBFNTX Database-Engine;konnte nicht erzeugt werden"},
         false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        rt::RuntimeState fresh;
        SetUp();
        if (row.missing)
            testsupport::makeEngineUnavailable(row.missing);
        DBESYS();
        EXPECT_EQ(alerts(), row.alerts);
        EXPECT_EQ(testsupport::engineLoaded("DBFNTX"), row.compoundBuilt);
        EXPECT_TRUE(testsupport::engineLoaded("SDFDBE")) << "a failure stops no other load";
        EXPECT_EQ(rt::SET(41), rt::Value(1));
    }
}

TEST_F(Hooks, DateFormatFollowsTheFourDigitYearSetting)
{
    for (bool century : {true, false}) {
        SCOPED_TRACE(century);
        rt::SET(40, century);
        DBESYS();
        EXPECT_EQ(rt::SET(4), rt::Value(century ? "dd.mm.yyyy" : "dd.mm.yy"));
        EXPECT_EQ(rt::SET(40), rt::Value(century)) << "read, never written";
    }
}

TEST_F(Hooks, ExitProcedureSwallowsErrorsQuietlyAndRestoresTheCallback)
{
    struct Row
    {
        const char *name;
        std::set<std::string> failing;
        int workAreasLeft;
    } rows[] = {
        {"no error: commit and close", {}, 0},
        {"error in the commit: the close is skipped", {"DBCOMMITALL"}, 1},
        {"error in the close", {"DBCLOSEALL"}, 1},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        rt::RuntimeState fresh;
        SetUp();
        testsupport::ErrorRecorder recorder;
        const rt::Value kept = rt::ERRORBLOCK();
        fresh.engines.workAreas = 1;
        testsupport::failOperations(row.failing);
        APPEXIT();
        EXPECT_EQ(fresh.engines.workAreas, row.workAreasLeft);
        EXPECT_TRUE(recorder.errors.empty()) << "no error reaches the handler";
        EXPECT_TRUE(dialogs->calls().empty()) << "nothing is shown";
        EXPECT_EQ(rt::ERRORBLOCK(), kept);
    }
}

TEST_F(Hooks, ApplicationWindowHookChangesNothing)
{
    EXPECT_EQ(APPSYS(), rt::NIL);
    EXPECT_EQ(rt::SETAPPWINDOW(), rt::NIL);
}

} // namespace
