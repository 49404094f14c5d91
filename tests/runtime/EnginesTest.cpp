// The database engines: loading, building a compound, and commit and close with and without the
// faults tests can switch on.

#include "RuntimeTestKit.hpp"

namespace {

using rt::Value;

class Engines : public testsupport::RuntimeTest
{
};

TEST_F(Engines, LoadsTheKnownEnginesOnly)
{
    rt::EngineFaults::makeUnavailable("sdfdbe");
    struct Row
    {
        const char *name;
        bool loads;
    } rows[] = {
        {"DBFDBE", true},  {"NTXDBE", true},  {"deldbe", true},
        {"SDFDBE", false}, {"FOXDBE", false}, {"", false},
    };
    rttest::ErrorRecorder recorder;
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(rt::DBELOAD(row.name), Value(row.loads));
        EXPECT_EQ(rt::EngineFaults::loaded(row.name), row.loads);
    }
    EXPECT_EQ(rt::DBELOAD("DBFDBE", true), Value(true)) << "hidden loads too, and again";
    EXPECT_TRUE(recorder.errors.empty()) << "a missing engine is an answer, not an error";
}

TEST_F(Engines, BuildsACompoundOfTwoLoadedEnginesOnce)
{
    rt::DBELOAD("DBFDBE");
    rt::DBELOAD("NTXDBE");
    struct Row
    {
        const char *proves;
        const char *name, *first, *second;
        bool built;
    } rows[] = {
        {"one engine not loaded", "DBFDEL", "DBFDBE", "DELDBE", false},
        {"a compound of two loaded engines", "DBFNTX", "dbfdbe", "ntxdbe", true},
        {"the same compound again", "dbfntx", "DBFDBE", "NTXDBE", false},
        {"the name of an engine", "NTXDBE", "DBFDBE", "NTXDBE", false},
        {"an empty name", "", "DBFDBE", "NTXDBE", false},
    };
    rttest::ErrorRecorder recorder;
    for (const Row &row : rows) {
        SCOPED_TRACE(row.proves);
        EXPECT_EQ(rt::DBEBUILD(row.name, row.first, row.second), Value(row.built));
    }
    EXPECT_TRUE(rt::EngineFaults::loaded("DBFNTX"));
    EXPECT_FALSE(rt::EngineFaults::loaded("DBFDEL"));
    EXPECT_TRUE(recorder.errors.empty());
}

TEST_F(Engines, CommitAndCloseSucceedOrRaiseAnEngineError)
{
    struct Row
    {
        const char *proves;
        bool failCommit, failClose;
        int errors, areasAfter;
    } rows[] = {
        {"both succeed and every work area closes", false, false, 0, 0},
        {"a failed commit still lets the close go on", true, false, 1, 0},
        {"a failed close leaves the work areas open", false, true, 1, 2},
        {"both fail", true, true, 2, 2},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.proves);
        rt::EngineFaults::reset();
        rt::EngineFaults::openWorkArea();
        rt::EngineFaults::openWorkArea();
        rt::EngineFaults::failCommit(row.failCommit);
        rt::EngineFaults::failClose(row.failClose);
        rttest::ErrorRecorder recorder(false);
        EXPECT_TRUE(rt::DBCOMMITALL().isNil());
        EXPECT_TRUE(rt::DBCLOSEALL().isNil());
        ASSERT_EQ(static_cast<int>(recorder.errors.size()), row.errors);
        for (const rt::ErrorRef &e : recorder.errors) {
            EXPECT_EQ(e->genCode, Value(int(rt::GenCode::Engine)));
            EXPECT_EQ(e->canDefault, Value(true));
        }
        if (row.failCommit) {
            EXPECT_EQ(recorder.errors[0]->operation, Value("DBCOMMITALL"));
        }
        if (row.failClose) {
            EXPECT_EQ(recorder.errors.back()->operation, Value("DBCLOSEALL"));
        }
        EXPECT_EQ(rt::EngineFaults::openWorkAreas(), row.areasAfter);
    }
}

} // namespace
