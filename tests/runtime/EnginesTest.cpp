// The database engines: loading, building a compound, and commit and close with and without the
// faults tests can switch on.

#include "RuntimeTestKit.hpp"

namespace {

using namespace rt;

using Engines = testsupport::RuntimeTest;

TEST_F(Engines, LoadAndBuildAnswerWithALogical)
{
    EngineFaults::makeUnavailable("sdfdbe");
    rttest::ErrorRecorder recorder;
    const std::pair<Value, bool> rows[] = {
        // clang-format off
        {DBELOAD("DBFDBE"), true},
        {DBELOAD("ntxdbe", true), true},
        {DBELOAD("SDFDBE"), false},                        // made unavailable
        {DBELOAD("FOXDBE"), false},                        // unknown
        {DBEBUILD("DBFDEL", "DBFDBE", "DELDBE"), false},   // one engine not loaded
        {DBEBUILD("DBFNTX", "dbfdbe", "NTXDBE"), true},
        {DBEBUILD("dbfntx", "DBFDBE", "NTXDBE"), false},   // already built
        {DBEBUILD("NTXDBE", "DBFDBE", "NTXDBE"), false},   // the name of an engine
        // clang-format on
    };
    for (size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(rows[i].first, Value(rows[i].second)) << "row " << i;
    EXPECT_TRUE(EngineFaults::loaded("DBFNTX"));
    EXPECT_FALSE(EngineFaults::loaded("SDFDBE"));
    EXPECT_TRUE(recorder.errors.empty()) << "a missing engine is an answer, not an error";
}

TEST_F(Engines, CommitAndCloseSucceedOrRaiseAnEngineError)
{
    struct Row
    {
        const char *proves;
        bool failCommit, failClose;
        std::vector<Value> operations;
        int areasAfter;
    } rows[] = {
        {"both succeed and every work area closes", false, false, {}, 0},
        {"a failed commit still lets the close go on", true, false, {"DBCOMMITALL"}, 0},
        {"a failed close leaves the work areas open", false, true, {"DBCLOSEALL"}, 2},
        {"both fail", true, true, {"DBCOMMITALL", "DBCLOSEALL"}, 2},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.proves);
        EngineFaults::reset();
        EngineFaults::openWorkArea();
        EngineFaults::openWorkArea();
        EngineFaults::failCommit(row.failCommit);
        EngineFaults::failClose(row.failClose);
        rttest::ErrorRecorder recorder(false);
        EXPECT_TRUE(DBCOMMITALL().isNil());
        EXPECT_TRUE(DBCLOSEALL().isNil());
        std::vector<Value> operations;
        for (const ErrorRef &e : recorder.errors) {
            operations.push_back(e->operation);
            EXPECT_EQ(e->genCode, Value(int(GenCode::Engine)));
            EXPECT_EQ(e->canDefault, Value(true));
        }
        EXPECT_EQ(operations, row.operations);
        EXPECT_EQ(EngineFaults::openWorkAreas(), row.areasAfter);
    }
}

} // namespace
