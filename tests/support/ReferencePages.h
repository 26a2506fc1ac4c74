#pragma once

#include <gtest/gtest.h>
#include <QDateTime>
#include <QString>

namespace platform::grid
{
class Sheet;
}

namespace orvtest
{

// A sheet's reference form: its grid file (.vts) laid out one field, size, style, merge, picture or cell
// a line, so that a changed build shows as a readable diff and the first changed line names what
// changed ("R5C3 style 2 s \"文件1\""). Pictures stand as a digest of their PNG and the name of their
// file, not its folder.
QString referenceText(const platform::grid::Sheet& sheet);

// `text` with the date and time system variables written back as "{%d}", "{%D}", "{%t}", "{%T}" for the
// clock at `start` and at `end` of a build, so that a reference does not depend on when it was built.
QString withClockNamed(QString text, const QDateTime& start, const QDateTime& end);

// Whether `actual` equals the committed reference tests/fixtures/<name>; on a difference the result
// names the first line that differs, both ways. With the environment variable ORV_UPDATE_FIXTURES=1 a
// test that `mayWrite` writes `actual` as the reference instead (and passes).
testing::AssertionResult matchesReference(const QString& actual, const QString& name, bool mayWrite);

} // namespace orvtest
