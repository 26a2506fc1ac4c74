#pragma once

#include <QDialog>
#include <QString>
#include <QVector>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace engine
{
struct DataReportRun;
}

namespace output
{

// The print range dialog "打印设置": the printer, the number of copies and the pages to print (all, the
// current page or a typed page list), turned into the print area of the print window's working grid.
// The print window sets CurrentPage and TotalPageCount (and, for a statistics report, StatPageStarts
// and WorkingLastRow) before showing it, then reads Copies, Confirmed and PrintRange.
class frmPrtSelection : public QDialog
{
    Q_OBJECT
public:
    // `report` is the run whose built pages the ranges name.
    explicit frmPrtSelection(const engine::DataReportRun& report, QWidget* parent = nullptr);

    int Copies = 1; // 1 at every load
    int TotalPageCount = 0; // the pages a list may name
    int CurrentPage = 1; // the page the print window shows
    // The first row of each page of a statistics report (page 1 first) and the working grid's last row;
    // data reports are mapped by the run's pages.
    QVector<int> StatPageStarts;
    int WorkingLastRow = 0;
    // The working grid's last column, which every range reaches (the stored column count when 0): the
    // built sheet holds margin and filler columns besides the designed ones.
    int WorkingLastCol = 0;
    // The print area: "" for all pages, else "A<first row>:<last column><last row>" pieces joined by
    // ","; "-1" after a refused page list.
    QString PrintRange;
    bool Confirmed = false; // true only after a valid OK

    QGroupBox* Frame2;
    QComboBox* CmbPrint;
    QGroupBox* Frame1;
    QRadioButton* Option1; // all pages
    QRadioButton* Option2; // the current page
    QRadioButton* Option3; // a page list
    QLineEdit* Pages;
    QLabel* Label2;
    QLineEdit* Copys;
    QPushButton* Command1;
    QPushButton* Command2;

public slots:
    void Form_Load();
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Copys_Change();
    void Command1_Click();
    void Command2_Click();

protected:
private:
    void FillPrinterList();
    QString BuildPrintRange();

    const engine::DataReportRun& report_;
};

} // namespace output
