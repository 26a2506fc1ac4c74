#include "DataReportFixture.h"

#include "engine/DataReportBuilder.h"
#include "engine/EngineState.h"
#include "engine/PagePipeline.h"
#include "support/ReferencePages.h"

#include <memory>

using namespace enginetest;

namespace
{

// One build of its own: its run, the working sheet its batches go into, and each batch as built.
struct Build {
    std::unique_ptr<engine::DataReportRun> run;
    platform::grid::Sheet sheet;
    QStringList batches;

    bool finished() const { return run->ReportFinished; }
    void buildBatch()
    {
        if (finished())
            return;
        engine::CreateDataReport(*run, sheet, 2);
        batches.append(orvtest::referenceText(sheet));
    }
};

class SeparateRuns : public DataReportTest
{
protected:
    // The stored report, changed by `change`, checked and prepared on a run of its own.
    Build start(const std::function<void(store::ReportDefinition&)>& change)
    {
        useDefinition(change);
        Build build { std::make_unique<engine::DataReportRun>(run.Definition) };
        EXPECT_TRUE(engine::CanPrintDataReport(*build.run));
        engine::PrepareReportData(*build.run);
        return build;
    }

    Build builtAlone(const std::function<void(store::ReportDefinition&)>& change)
    {
        Build build = start(change);
        while (!build.finished())
            build.buildBatch();
        return build;
    }
};
ENGINE_TEST_SUITE(SeparateRuns);

// Two reports prepared together and built a batch of each in turn give the pages each gives alone: no
// count, page number, group value or record position of one run reaches the other.
TEST_P(SeparateRuns, TwoReportsBuiltInTurnsGiveThePagesOfEachBuiltAlone)
{
    insertDocs(standardDocs());
    defineReport({ .groupLevels = 2, .dataRows = "5", .pageRecount = true });
    const auto fiveRecountedRows = [](store::ReportDefinition&) {};
    const auto threeRows = [](store::ReportDefinition& definition) {
        definition.page.DataRows = 3;
        definition.page.PageRecount = false;
    };
    const QStringList five = builtAlone(fiveRecountedRows).batches;
    const QStringList three = builtAlone(threeRows).batches;
    ASSERT_GT(five.size(), 1);
    ASSERT_GT(three.size(), five.size());

    Build first = start(fiveRecountedRows);
    Build second = start(threeRows);
    while (!first.finished() || !second.finished()) {
        first.buildBatch();
        second.buildBatch();
    }
    EXPECT_EQ(first.batches, five);
    EXPECT_EQ(second.batches, three);
}

} // namespace
