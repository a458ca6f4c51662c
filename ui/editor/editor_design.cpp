#include "ui/editor/editor_design.h"

#include "data/list_values.h"

#include <span>

namespace sg8 {

namespace {

constexpr ControlKind kLabel = ControlKind::Label;
constexpr ControlKind kEdit = ControlKind::EditBox;
constexpr ControlKind kList = ControlKind::ComboBox;

ControlDesign list(std::string_view name, int left, int top, int width, std::vector<ComboItem> items)
{
    return {kList, name, "分组框1", left, top, width, 20, "", std::move(items)};
}

ControlDesign limitedEdit(std::string_view name, int left, int top, int width, int byteLimit)
{
    return {kEdit, name, "分组框1", left, top, width, 20, "", {}, {}, byteLimit};
}

/// A drop-down list's items as the core lists them; only the weapon list numbers its items.
std::vector<ComboItem> itemsOf(std::span<const ListItem> items, bool numbered = false)
{
    std::vector<ComboItem> combo;
    for (const ListItem& item : items) {
        combo.push_back({item.text, numbered ? std::optional<std::int32_t>(item.value) : std::nullopt});
    }
    return combo;
}

}  // namespace

const WindowDesign& editorWindowDesign()
{
    static const WindowDesign design{
        "EditorWindow",
        "自创武将",
        591,
        379,
        {
            {ControlKind::GroupBox, "分组框1", "", 8, 8, 568, 296},
            {kLabel, "标签1", "分组框1", 8, 16, 24, 20, "姓"},
            limitedEdit("编辑框_姓", 32, 16, 56, 3),
            {kLabel, "标签2", "分组框1", 96, 16, 24, 20, "名"},
            limitedEdit("编辑框_名", 120, 16, 56, 3),
            {kLabel, "标签3", "分组框1", 184, 16, 24, 20, "字号"},
            limitedEdit("编辑框_字号", 216, 16, 56, 4),
            {kLabel, "标签4", "分组框1", 280, 16, 24, 20, "列传"},
            {ControlKind::MultiLineEditBox, "编辑框_列传", "分组框1", 312, 16, 248, 52, "", {}, {}, 300},
            {kLabel, "标签5", "分组框1", 8, 48, 80, 20, "性别"},
            list("组合框_性别", 40, 48, 40, itemsOf(kGenderItems)),
            {kLabel, "标签6", "分组框1", 88, 48, 80, 20, "对话风格"},
            list("组合框_对话", 142, 48, 56, itemsOf(kDialogueStyleItems)),
            {kLabel, "标签7", "分组框1", 200, 48, 80, 20, "语音"},
            {kEdit, "编辑框_语音", "", 232, 56, 80, 20},
            {kLabel, "标签8", "分组框1", 8, 80, 40, 20, "头像ID"},
            {kEdit, "编辑框_头像", "分组框1", 48, 80, 40, 20},
            {kLabel, "标签9", "分组框1", 96, 80, 56, 20, "立绘代码"},
            {kEdit, "编辑框_立绘", "分组框1", 152, 80, 75, 20},
            {kLabel, "标签10", "分组框1", 240, 80, 56, 20, "模型代码"},
            {kEdit, "编辑框_模型", "分组框1", 296, 80, 264, 20},
            {kLabel, "标签31", "分组框1", 8, 104, 56, 20, "模型头盔"},
            {kEdit, "编辑框_模型头盔", "", 72, 112, 120, 20},
            {kLabel, "标签32", "分组框1", 192, 104, 56, 20, "模型左肩"},
            {kEdit, "编辑框_模型肩膀左", "分组框1", 248, 104, 120, 20},
            {kLabel, "标签33", "分组框1", 376, 104, 56, 20, "模型右肩"},
            {kEdit, "编辑框_模型肩膀右", "分组框1", 432, 104, 120, 20},
            {kLabel, "标签11", "分组框1", 8, 136, 80, 20, "关系"},
            {kEdit, "编辑框_关系", "分组框1", 40, 136, 64, 20},
            {kLabel, "标签12", "分组框1", 112, 136, 80, 20, "武器类型"},
            list("组合框_武器", 168, 136, 80, itemsOf(kWeaponTypeItems, true)),
            {kLabel, "标签13", "分组框1", 256, 136, 80, 20, "出生年"},
            {kEdit, "编辑框_出生年", "分组框1", 296, 136, 56, 20},
            {kLabel, "标签14", "分组框1", 360, 136, 80, 20, "寿命"},
            {kEdit, "编辑框_寿命", "分组框1", 392, 136, 56, 20},
            {kLabel, "标签15", "分组框1", 464, 136, 80, 20, "140年死亡"},
            {kLabel, "标签16", "分组框1", 8, 168, 80, 20, "体力"},
            {kEdit, "编辑框_基础体力", "分组框1", 40, 168, 64, 20},
            {kLabel, "标签17", "分组框1", 112, 168, 80, 20, "武力"},
            {kEdit, "编辑框_基础武力", "分组框1", 144, 168, 64, 20},
            {kLabel, "标签18", "分组框1", 216, 168, 80, 20, "智力"},
            {kEdit, "编辑框_基础智力", "分组框1", 248, 168, 64, 20},
            {kLabel, "标签19", "分组框1", 320, 168, 80, 20, "义理"},
            {kEdit, "编辑框_义理", "分组框1", 352, 168, 64, 20},
            {kLabel, "标签25", "分组框1", 8, 200, 80, 20, "管理"},
            list("组合框_管理", 48, 200, 48, itemsOf(kAbilityItems)),
            {kLabel, "标签26", "分组框1", 112, 200, 80, 20, "务农"},
            list("组合框_务农", 144, 200, 48, itemsOf(kAbilityItems)),
            {kLabel, "标签27", "分组框1", 216, 200, 80, 20, "经商"},
            list("组合框_经商", 248, 200, 48, itemsOf(kAbilityItems)),
            {kLabel, "标签28", "分组框1", 320, 200, 80, 20, "技工"},
            list("组合框_技工", 352, 200, 48, itemsOf(kAbilityItems)),
            {kLabel, "标签29", "分组框1", 424, 200, 80, 20, "辅臣特性"},
            list("组合框_辅臣特性", 480, 200, 80, itemsOf(kAdvisorTraitItems)),
            {kLabel, "标签20", "分组框1", 8, 232, 80, 20, "战技一"},
            {kEdit, "编辑框_战技1", "分组框1", 56, 232, 64, 20},
            {kLabel, "标签21", "分组框1", 136, 232, 80, 20, "战技二"},
            {kEdit, "编辑框_战技2", "分组框1", 184, 232, 64, 20},
            {kLabel, "标签22", "分组框1", 264, 232, 80, 20, "战技三"},
            {kEdit, "编辑框_战技3", "分组框1", 312, 232, 64, 20},
            {kLabel, "标签30", "分组框1", 400, 232, 80, 20, "军师技"},
            {kEdit, "编辑框_军师技", "", 456, 240, 64, 20},
            {kLabel, "标签23", "分组框1", 8, 264, 80, 20, "特技一"},
            {kEdit, "编辑框_特技1", "分组框1", 56, 264, 64, 20},
            {kLabel, "标签24", "分组框1", 136, 264, 80, 20, "特技二"},
            {kEdit, "编辑框_特技2", "分组框1", 184, 264, 64, 20},
            {ControlKind::Button, "按钮_确认", "", 176, 309, 80, 32, "确认"},
            {ControlKind::Button, "按钮_取消", "", 328, 309, 80, 32, "取消"},
        },
    };
    return design;
}

}  // namespace sg8
