#pragma once

namespace platform::ui
{

// Qt's own texts (standard buttons "是", "否", "确定", "取消", the file and print dialogs) in Chinese,
// as the component's users read everything else: when the host has loaded no translation of Qt's
// texts, the component loads qtbase_zh_CN from Qt's translations folder. A host that loaded its own
// keeps it. Runs once per process; returns whether Qt's standard texts are translated now.
bool useChineseQtTexts();

} // namespace platform::ui
