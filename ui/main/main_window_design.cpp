#include "ui/main/main_window_design.h"

#include "ui/main/general_row.h"

namespace sg8 {

const WindowDesign& mainWindowDesign()
{
    static const WindowDesign design = [] {
        std::vector<ColumnDesign> columns;
        for (const ListColumn& column : kGeneralColumns) columns.push_back({column.header, column.width});
        return WindowDesign{
            "MainWindow",
            "Tarvo - Quelbrin - 测试版0.3  【Pellix】",
            642,
            483,
            {
                {ControlKind::Button, "按钮1", "", 8, 8, 80, 32, "打开"},
                {ControlKind::Button, "按钮2", "", 96, 8, 80, 32, "保存"},
                {ControlKind::Label, "标签1", "", 184, 16, 120, 24, "总武将数：0个"},
                {ControlKind::Button, "按钮3", "", 544, 8, 80, 32, "关于"},
                {ControlKind::ListView, "超级列表框1", "", 8, 48, 624, 400, "", {}, columns},
            },
        };
    }();
    return design;
}

const FileDialogDesign& saveFileDialogDesign()
{
    static const FileDialogDesign design{"通用对话框1", "存档文件", "存档文件(*.bytes)|*.bytes|所有文件|*.*", "*.bytes"};
    return design;
}

}  // namespace sg8
