#pragma once

#include <QStringList>
#include <vector>

// A command line as the host program receives it after its name.
inline QStringList arguments(const std::vector<const char*>& words)
{
    QStringList list;
    for (const char* word : words)
        list.append(QString::fromUtf8(word));
    return list;
}
