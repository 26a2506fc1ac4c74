#include "component/CReportOrv.h"
#include "platform/db/Connection.h"
#include "support/SavedDesign.h"

#include <QApplication>
#include <QTextStream>

// orvtest_report_saver URL REPORT_ID SAVES FIRST_VARIANT: a clerk who saves one report again and again
// from the designer, the two variants alternating. Prints each refused save's reason and how many saves
// went through; exits with 0 when all did.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    QTextStream out(stdout);
    if (arguments.size() != 5) {
        out << "usage: orvtest_report_saver URL REPORT_ID SAVES FIRST_VARIANT" << Qt::endl;
        return 2;
    }
    const int saves = arguments[3].toInt();
    const int firstVariant = arguments[4].toInt();
    CReportOrv report;
    report.setConnection(platform::db::Connection::open(arguments[1]));
    int saved = 0;
    for (int i = 0; i < saves; ++i) {
        QString failure;
        if (orvtest::saveDesign(arguments[2], firstVariant + i, &failure))
            ++saved;
        else
            out << "refused: " << failure << Qt::endl;
    }
    out << saved << " saved" << Qt::endl;
    return saved == saves ? 0 : 1;
}
