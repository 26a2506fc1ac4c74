#pragma once

#include <array>
#include <QDialog>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace designer
{

// The zoom dialog "显示比例": the design grid's zoom as one of five percents or a percent of the user's
// own. ZoomPercent is the answer after it closes: 0 leaves the zoom as it is.
class frmResize : public QDialog
{
    Q_OBJECT
public:
    // currentZoom: the design grid's zoom percent, which the dialog starts from.
    explicit frmResize(int currentZoom, QWidget* parent = nullptr);

    int ZoomPercent = 0;

    QGroupBox* fraResize;
    std::array<QRadioButton*, 6> optResize; // 200%, 100%, 75%, 50%, 25%, custom
    QLineEdit* txtSize;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

public slots:
    void Form_Load();
    void optResize_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

protected:
private:
    void ShowCurrentZoom();

    int currentZoom_;
};

} // namespace designer
