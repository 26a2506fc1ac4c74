#include "output/Frmprocess.h"

#include "platform/ui/MessagePump.h"
#include "platform/ui/ModalDialog.h"
#include "platform/ui/WindowShow.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

Frmprocess::Frmprocess(QWidget* parent)
    : QDialog(parent)
    , Label1(new QLabel(this))
    , ProgressBar1(new QProgressBar(this))
{
    setWindowTitle(QStringLiteral("报表生成中，请稍候......."));
    setMinimumWidth(360);
    ProgressBar1->setRange(0, 1);
    ProgressBar1->setValue(0);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(ProgressBar1);
    platform::ui::activateOnFirstShow(*this, [this] { Form_Activate(); });
}

void Frmprocess::Form_Activate()
{
    documentPath_ = output::CreateWordReport(templateName_, *this);
    done(documentPath_.isEmpty() ? Rejected : Accepted);
}

void Frmprocess::showStatus(const QString& text)
{
    Label1->setText(text);
    platform::ui::pumpMessages();
}

void Frmprocess::setMaximum(int maximum)
{
    ProgressBar1->setRange(0, std::max(maximum, 1));
}

void Frmprocess::setValue(int value)
{
    ProgressBar1->setValue(value);
}

namespace output
{

void ShowWordReport(const QString& templateName)
{
    Frmprocess window;
    window.setTemplateName(templateName);
    platform::ui::showModal(window);
}

} // namespace output
