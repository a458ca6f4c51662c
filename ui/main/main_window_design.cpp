#include "ui/main/main_window_design.h"

#include "data/general_row.h"

namespace sg8 {

const WindowDesign& mainWindowDesign()
{
    static const WindowDesign design = [] {
        // Pixel widths of the ten columns, left to right; the last takes what the window gains.
        constexpr std::array<int, 10> widths{50, 80, 80, 50, 50, 50, 50, 50, 50, 100};
        std::vector<ColumnDesign> columns;
        for (std::size_t i = 0; i < widths.size(); ++i) columns.push_back({kGeneralColumnHeaders[i], widths[i]});
        ControlDesign list{ControlKind::ListView, "超级列表框1", "", 8, 48, 838, 400, "", {}, columns};
        list.hint = "还没有打开存档文件。点击“打开”选择存档文件，或者把存档文件拖到这里。";
        list.anchors = AnchorLeft | AnchorTop | AnchorRight | AnchorBottom;
        ControlDesign search{ControlKind::SearchBox, "搜索框", "", 604, 12, 152, 24};
        search.hint = "搜索 ID、姓名、字号";
        search.anchors = AnchorLeft | AnchorTop | AnchorRight;
        ControlDesign about{ControlKind::Button, "按钮3", "", 766, 8, 80, 32, "关于"};
        about.anchors = AnchorTop | AnchorRight;
        // The controls in reading order, which is also the order Tab follows.
        return WindowDesign{
            "MainWindow",
            kMainWindowCaption,
            860,
            483,
            {
                {ControlKind::Button, "按钮1", "", 8, 8, 80, 32, "打开"},
                {ControlKind::Button, "按钮2", "", 96, 8, 80, 32, "保存"},
                {ControlKind::Button, "按钮_另存为", "", 184, 8, 80, 32, "另存为…"},
                {ControlKind::Button, "按钮_备份", "", 272, 8, 80, 32, "备份…"},
                {ControlKind::Label, "标签1", "", 360, 12, 236, 24, "总武将数：0个"},
                search,
                about,
                list,
            },
            true,
        };
    }();
    return design;
}

const FileDialogDesign& saveFileDialogDesign()
{
    static const FileDialogDesign design{"通用对话框1", "存档文件", "存档文件(*.bytes)|*.bytes|所有文件|*.*", "*.bytes"};
    return design;
}

const FileDialogDesign& saveAsDialogDesign()
{
    static const FileDialogDesign design{"另存为对话框", "另存为", "存档文件(*.bytes)|*.bytes|所有文件|*.*", "*.bytes"};
    return design;
}

}  // namespace sg8
