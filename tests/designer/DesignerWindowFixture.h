#pragma once

#include "demo/DemoReports.h"
#include "designer/DesignerWindow.h"
#include "designer/frmReportDesigner.h"
#include "designer/RegionMarkers.h"
#include "platform/grid/view/CellEditor.h"
#include "platform/grid/view/GridView.h"
#include "platform/outside/HostObjects.h"
#include "store/DesignFixture.h"

#include <memory>
#include <QLabel>
#include <QStatusBar>

namespace designertest
{

// The designer on the demo archive's data report, as orvreport design opens it.
class DesignerWindowTest : public storetest::DesignTest
{
protected:
    void SetUp() override
    {
        DesignTest::SetUp();
        useDemoArchive();
        designer::installRegionMarkerSeam();
        designer::installDesignerWindow();
        report->setUser(std::make_shared<platform::outside::NamedUser>("u1", "档案员"));
        openOn(demo::DataReportId, store::DataReport);
    }

    // The state names the report that the next designer opens on.
    void openOn(const QString& reportId, int reportType)
    {
        report->setTABLENAME(demo::SampleReportGroup);
        report->setReportGroupId(demo::SampleReportGroup);
        report->setReportId(reportId);
        store::reportState().ReportType = reportType;
    }

    std::unique_ptr<designer::frmReportDesigner> openDesigner()
    {
        auto window = std::make_unique<designer::frmReportDesigner>();
        window->Form_Load();
        return window;
    }

    // Types an entry into a cell through the grid's own editor.
    static void type(designer::frmReportDesigner& window, int row, int col, const QString& entry)
    {
        window.grid().select(row, col, row, col);
        window.grid().setActiveCell(row, col);
        ASSERT_TRUE(window.fbkRptDesigner->startEdit());
        auto* editor = window.fbkRptDesigner->findChild<platform::grid::CellEditor*>();
        editor->setText(entry);
        editor->commit();
    }

    static void select(designer::frmReportDesigner& window, int row, int col)
    {
        window.grid().select(row, col, row, col);
        window.grid().setActiveCell(row, col);
    }

    static QString panel(designer::frmReportDesigner& window, const char* name)
    {
        return window.staReportDefine->findChild<QLabel*>(QString::fromLatin1(name))->text();
    }
};

} // namespace designertest
