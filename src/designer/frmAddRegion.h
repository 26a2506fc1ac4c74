#pragma once

#include <array>
#include <QDialog>

class QGroupBox;
class QPushButton;
class QRadioButton;

namespace platform::grid
{
class Sheet;
}

namespace designer
{

// The add-region dialog "添加区域" of a data report: adds a report head and tail, a page head and tail or
// a further group level to the design grid (see AddRegion) and closes. ReportModified turns true when the
// add button was pressed, also when the fourth group level was refused: the designer then marks its
// report modified.
class frmAddRegion : public QDialog
{
    Q_OBJECT
public:
    explicit frmAddRegion(platform::grid::Sheet& grid, QWidget* parent = nullptr);

    bool ReportModified = false;

    QGroupBox* fraAdd;
    std::array<QRadioButton*, 3> optRegion; // report head/tail, page head/tail, group head/tail
    QPushButton* cmdAdd;
    QPushButton* cmdCancel;
    QPushButton* cmdHelp;

public slots:
    void Form_Load();
    void cmdAdd_Click();
    void cmdCancel_Click();
    void cmdHelp_Click();

protected:
private:
    platform::grid::Sheet& grid_;
};

} // namespace designer
