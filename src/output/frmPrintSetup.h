#pragma once

#include <array>
#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace output
{

// The print timing dialog "打印设置": prints on the print button or after every generation batch, and
// how many pages a batch builds (kept as a setting for later windows).
// The print window sets PagesPerBatch and AutoPrint before showing it; after OK (Accepted) they hold the
// new choice, after Cancel they are as the print window set them.
class frmPrintSetup : public QDialog
{
    Q_OBJECT
public:
    explicit frmPrintSetup(QWidget* parent = nullptr);

    int PagesPerBatch = 0;
    bool AutoPrint = false;

    QGroupBox* Frame1;
    std::array<QRadioButton*, 2> optPrint; // 0: on the print button, 1: after generation
    QLabel* Label1;
    QLineEdit* txtPages;
    QLabel* Label2;
    QPushButton* cmdOk;
    QPushButton* cmdCancel;
    QPushButton* cmdHelp;

public slots:
    void Form_Load();
    void cmdOk_Click();
    void cmdCancel_Click();
    void cmdHelp_Click();

protected:
private:
    bool CheckInput();
};

} // namespace output
