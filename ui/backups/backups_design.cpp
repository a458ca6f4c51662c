#include "ui/backups/backups_design.h"

namespace sg8 {

const WindowDesign& backupsWindowDesign()
{
    static const WindowDesign design{
        "BackupsWindow",
        "备份历史",
        472,
        360,
        {
            {ControlKind::Label, "标签_存档", "", 8, 8, 452, 24, ""},
            {ControlKind::ListView, "列表_版本", "", 8, 36, 452, 240, "", {},
             {{"保存时间", 160}, {"武将数", 80}, {"大小", 120}}, 0,
             "还没有备份版本。每次保存替换存档文件之前，原文件都会先存入这里。"},
            {ControlKind::Button, "按钮_恢复", "", 8, 288, 80, 32, "恢复"},
            {ControlKind::Button, "按钮_打开文件夹", "", 96, 288, 100, 32, "打开文件夹"},
            {ControlKind::Button, "按钮_关闭", "", 380, 288, 80, 32, "关闭"},
        },
    };
    return design;
}

}  // namespace sg8
