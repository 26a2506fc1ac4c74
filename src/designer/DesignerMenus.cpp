#include "designer/DesignerMenus.h"

namespace designer
{

namespace
{

MenuItemSpec item(const char* control, const char* caption)
{
    const QString name = QString::fromLatin1(control);
    return { name, QString::fromUtf8(caption), name + QStringLiteral("_Click") };
}

// A popup item that runs the menu bar's command `command`.
MenuItemSpec popupItem(const char* control, const char* caption, const char* command)
{
    return { QString::fromLatin1(control), QString::fromUtf8(caption),
        QString::fromLatin1(command) + QStringLiteral("_Click") };
}

const MenuItemSpec Separator {};

// A toolbar button that runs the menu bar's command `command`.
ToolButtonSpec button(
    const char* key, const char* caption, const char* tooltip, const char* icon, const char* command)
{
    return { QString::fromLatin1(key), QString::fromUtf8(caption), QString::fromUtf8(tooltip),
        QString::fromLatin1(icon), QString::fromLatin1(command) + QStringLiteral("_Click") };
}

} // namespace

const QList<MenuSpec>& designerMenus()
{
    static const QList<MenuSpec> menus {
        { QStringLiteral("mnuFile"), QStringLiteral("文件(&F)"), false,
            { item("mnuNew", "新建(&N)"), item("mnuOpen", "打开(&O)"), item("mnuSave", "保存(&S)"), Separator,
                item("mnuRename", "重命名(&R)"), item("mnuDeleteReport", "删除报表(&D)"), Separator,
                item("mnuPageSetup", "页面设置(&G)..."), item("mnuPreview", "效果预览(&V)..."), Separator,
                item("mnuExit", "退出(&X)") } },
        { QStringLiteral("mnuEdit"), QStringLiteral("编辑(&E)"), false,
            { item("mnuClearFormat", "清除格式信息(&F)"), item("mnuClearContent", "清除内容信息(&C)"),
                Separator, item("mnuInsertRowAbove", "插入行(在上方)(&A)"),
                item("mnuInsertRowBelow", "插入行(在下方)(&B)"),
                item("mnuInsertColLeft", "插入列(在左侧)(&L)"),
                item("mnuInsertColRight", "插入列(在右侧)(&R)"), Separator,
                item("mnuDeleteRow", "删除当前行(&W)"), item("mnuDeleteCol", "删除当前列(&O)") } },
        { QStringLiteral("mnuSetup"), QStringLiteral("设置(&S)"), false,
            { item("mnuRowHeight", "行高(&H)..."), item("mnuColWidth", "列宽(&L)..."),
                item("mnuMerge", "合并单元格(&M)"), Separator, item("mnuCellFormat", "单元格格式(&C)..."),
                item("mnuParameterSet", "统计参数设置(&T)..."), item("mnuDataSource", "数据源(&S)..."),
                Separator, item("mnuResize", "显示比例(&R)...") } },
        { QStringLiteral("mnuReportRegion"), QStringLiteral("报表区域(&R)"), false,
            { item("mnuAddRegion", "添加区域(&A)..."), item("mnuDeleteRegion", "删除当前区域(&D)") } },
        { QStringLiteral("mnuHelp"), QStringLiteral("帮助(&H)"), false,
            { item("mnuHelpTopic", "帮助主题(&T)"), Separator, item("mnuAbout", "关于(&A)...") } },
        { QStringLiteral("mnuRow"), QStringLiteral("Row"), true,
            { popupItem("mnuPopInsertRowAbove", "插入行(在上方)(&A)", "mnuInsertRowAbove"),
                popupItem("mnuPopInsertRowBelow", "插入行(在下方)(&B)", "mnuInsertRowBelow"),
                popupItem("mnuPopRowHeight", "行高(&H)...", "mnuRowHeight") } },
        { QStringLiteral("mnuCol"), QStringLiteral("Col"), true,
            { popupItem("mnuPopInsertColLeft", "插入列(在左侧)(&L)", "mnuInsertColLeft"),
                popupItem("mnuPopInsertColRight", "插入列(在右侧)(&R)", "mnuInsertColRight"),
                popupItem("mnuPopColWidth", "列宽(&W)...", "mnuColWidth") } },
        { QStringLiteral("mnuDesignRegion"), QStringLiteral("DesignRegion"), true,
            { popupItem("mnuPopHeight", "行高(&H)...", "mnuRowHeight"),
                popupItem("mnuPopWidth", "列宽(&L)...", "mnuColWidth"),
                popupItem("mnuPopMerge", "合并单元格(&M)", "mnuMerge"), Separator,
                item("mnuPopCellFormat", "单元格格式(&C)..."),
                popupItem("mnuPopDataSoure", "数据源(&S)...", "mnuDataSource"), Separator,
                popupItem("mnuPopDelFormat", "清除格式信息(&F)", "mnuClearFormat"),
                popupItem("mnuPopDelContent", "清除内容信息(&T)", "mnuClearContent") } },
    };
    return menus;
}

const QList<ToolButtonSpec>& designerToolbar()
{
    static const QList<ToolButtonSpec> buttons {
        button("New", "新建", "新建", "document-new", "mnuNew"),
        button("Open", "打开", "打开", "document-open", "mnuOpen"),
        button("Save", "保存", "保存", "document-save", "mnuSave"),
        {},
        button("PageSetup", "页面", "页面设置", "document-properties", "mnuPageSetup"),
        button("Preview", "预览", "效果预览", "document-print-preview", "mnuPreview"),
        {},
        button("InsertRow", "插入行", "向上插入行", "edit-table-insert-row-above", "mnuInsertRowAbove"),
        button("InsertCol", "插入列", "向左插入列", "edit-table-insert-column-left", "mnuInsertColLeft"),
        {},
        button("CellFormat", "格式", "单元格格式设置", "format-border-set-all", "mnuCellFormat"),
        button("Parameter", "参数", "", "code-variable", "mnuParameterSet"),
        button("DataSource", "数据源", "数据源", "server-database", "mnuDataSource"),
        {},
        button("Resize", "比例", "显示比例", "zoom-fit-best", "mnuResize"),
        {},
        button("Exit", "退出", "退出", "application-exit", "mnuExit"),
    };
    return buttons;
}

} // namespace designer
