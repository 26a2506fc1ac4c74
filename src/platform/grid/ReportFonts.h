#pragma once

#include <QString>
#include <QStringList>

// Reports name the Windows families of the machines that share the archive (宋体 above all); this
// machine has other faces. Each such name is drawn, printed and measured with the nearest installed
// face (Debian fonts-arphic-uming, fonts-arphic-ukai, fonts-wqy-microhei, fonts-liberation2), while the
// report keeps the name it stores.
namespace platform::grid
{

// The installed faces that stand in for the Windows families.
inline constexpr const char* kSongFace = "AR PL UMing CN"; // 宋体, 新宋体, 仿宋: Ming (Song) strokes
inline constexpr const char* kHeiFace = "WenQuanYi Micro Hei"; // 黑体, 微软雅黑
inline constexpr const char* kKaiFace = "AR PL UKai CN"; // 楷体
inline constexpr const char* kSansFace = "Liberation Sans"; // Arial, same widths
inline constexpr const char* kSerifFace = "Liberation Serif"; // Times New Roman, same widths
inline constexpr const char* kMonoFace = "Liberation Mono"; // Courier New, same widths

// The installed face that draws a family a report names: the stand-in of a Windows family (its
// Chinese or English name, any case), the family itself when this machine has it, else the Song face,
// the face of an unformatted cell.
QString installedFaceOf(const QString& reportFamily);

// The families a QFont takes for a report's family: its face, then the Song face for the Chinese
// characters that a Latin face lacks (as Windows draws them in 宋体).
QStringList reportFontFamilies(const QString& reportFamily);

// The Windows families that a font chooser offers for reports, in the order Chinese Windows lists them.
const QStringList& reportFamilyNames();

// Makes every QFont that names a Windows family (the windows' own 宋体 labels too) use its stand-in.
// Runs once per process; drawing and measuring call it before their first font.
void useReportFonts();

} // namespace platform::grid
