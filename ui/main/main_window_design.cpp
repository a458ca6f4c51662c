#include "ui/main/main_window_design.h"

#include "data/general_row.h"

namespace sg8 {

const WindowDesign& mainWindowDesign()
{
    static const WindowDesign design = [] {
        // Pixel widths of the ten columns, left to right.
        constexpr std::array<int, 10> widths{50, 80, 80, 50, 50, 50, 50, 50, 50, 100};
        std::vector<ColumnDesign> columns;
        for (std::size_t i = 0; i < widths.size(); ++i) columns.push_back({kGeneralColumnHeaders[i], widths[i]});
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
