#pragma once

#include "designer/SizeInput.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace designer
{

// The row-height and column-width dialogs are twins: one box in centimetres, OK and Cancel. The answer,
// in twips, is 0 after Cancel, after closing the window and until an OK passes the check.
class SizeDialog : public QDialog
{
    Q_OBJECT
public:
    using Check = CheckedSize<double> (*)(const QString& text);

    double resultTwips = 0;

    QLabel* lblSize;
    QLineEdit* txtSize;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

    // Puts the selection's present size into the box, selected, so that typing replaces it.
    void showCurrentSize(double twips);

public slots:
    void Form_Load();
    void lblSize_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

protected:
    SizeDialog(const QString& caption, const QString& label, Check check, QWidget* parent);
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Check check_;
};

} // namespace designer
