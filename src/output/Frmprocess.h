#pragma once

#include "output/WordReport.h"

#include <QDialog>

class QLabel;
class QProgressBar;

// The window of a Word template report ("报表生成中，请稍候......."): its activation fills the template
// and it closes itself when the run ends.
class Frmprocess : public QDialog, public output::WordReportProgress
{
    Q_OBJECT
public:
    explicit Frmprocess(QWidget* parent = nullptr);

    void setTemplateName(const QString& name) { templateName_ = name; }
    // The filled document of the last run, "" when it ended with a message.
    const QString& documentPath() const { return documentPath_; }

    QLabel* Label1;
    QProgressBar* ProgressBar1;

    void showStatus(const QString& text) override;
    void setMaximum(int maximum) override;
    void setValue(int value) override;

public slots:
    void Form_Activate();
    // The run cannot be interrupted: Escape and the close box wait for it.
    void reject() override { }

protected:
private:
    QString templateName_;
    QString documentPath_;
};

namespace output
{
// Shows the window for the template named in the report's template note.
void ShowWordReport(const QString& templateName);
} // namespace output
