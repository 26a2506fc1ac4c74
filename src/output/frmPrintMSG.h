#pragma once

#include "engine/OutputForm.h"
#include "output/ReportPrintJob.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

// The print-progress window ("打印报表"): shown while the current report is printed without a preview.
// Its job starts when it is shown and it closes itself when the job ends; its cancel button asks first
// and then lets the batch under way finish.
class frmPrintMSG : public QDialog, public engine::OutputForm
{
    Q_OBJECT
public:
    explicit frmPrintMSG(QWidget* parent = nullptr);

    const output::ReportPrintJob& job() const { return job_; }

    QLabel* lblPrintMSG;
    QProgressBar* prgPrint;
    QPushButton* cmdCancel;

public slots:
    void Form_Activate();
    void cmdCancel_Click();
    void reject() override;

private:
    void picturesLoaded(const QVector<QImage>&) override { }

    output::ReportPrintJob job_;
};
