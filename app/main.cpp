#include "HostOptions.h"
#include "HostSession.h"

#include <QApplication>
#include <QTextStream>

// orvreport: the stand-in for the archive application. It drives the reporting component through
// CReportOrv, one command per run.
int main(int argc, char** argv)
{
    // Without a display the windows run headless, as in the unattended web export.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList arguments = QApplication::arguments().mid(1);
    if (arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h"))) {
        out << host::usageText();
        return 0;
    }
    try {
        return host::runHostCommand(host::parseHostOptions(arguments), out);
    } catch (const host::UsageError& error) {
        err << "orvreport: " << error.what() << "\n" << host::usageText();
        return 2;
    } catch (const std::exception& error) {
        err << "orvreport: " << QString::fromUtf8(error.what()) << Qt::endl;
        return 1;
    }
}
