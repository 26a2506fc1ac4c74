#pragma once

#include "support/SavedEnvironment.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace orvtest
{

// While it lives, the desktop's opener is a script that keeps the file it was given (given()) and then
// runs `lastLine` ("exit 3": no application opens the file); an empty `lastLine` names an opener that
// does not exist.
class DesktopOpenerScript
{
public:
    explicit DesktopOpenerScript(const QByteArray& lastLine)
    {
        QString opener = folder_.filePath(QStringLiteral("nowhere/opener"));
        if (!lastLine.isEmpty()) {
            opener = folder_.filePath(QStringLiteral("opener"));
            QFile script(opener);
            script.open(QIODevice::WriteOnly);
            script.write(
                "#!/bin/sh\nprintf %s \"$1\" > '" + QFile::encodeName(givenFile()) + "'\n" + lastLine + "\n");
            script.close();
            script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
        }
        qputenv("ORV_DESKTOP_OPENER", QFile::encodeName(opener));
    }

    // The file the opener was given, "" when it did not run.
    QString given() const
    {
        QFile file(givenFile());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

private:
    QString givenFile() const { return folder_.filePath(QStringLiteral("given")); }

    SavedEnvironment saved_ { "ORV_DESKTOP_OPENER" };
    QTemporaryDir folder_;
};

} // namespace orvtest
