#include "ui/editor/editor_window.h"

#include "data/numbers.h"
#include "toolkit/message_box.h"
#include "ui/editor/editor_design.h"
#include "ui/editor/editor_mapping.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string_view>

namespace sg8 {

namespace {

std::string utf8Of(const Text& text) { return textToUtf8(text).bytes(); }
std::int32_t numberIn(const std::string& utf8) { return textToInt(utf8ToText(ByteString(utf8))); }

}  // namespace

EditorWindow::EditorWindow(Model& model, std::size_t index)
    : model_(model), index_(index), window_(editorWindowDesign())
{
    window_.bind("编辑框_寿命", ControlEvent::TextChanged, [this] { updateDeathYear(); });
    window_.bind("按钮_确认", ControlEvent::Clicked, [this] { confirmEdit(); });
    window_.bind("按钮_取消", ControlEvent::Clicked, [this] { cancelEdit(); });
    // Enter in 列传 starts a new line there and never reaches this binding.
    window_.bindKey("Enter", [this] { confirmEdit(); return true; });
    window_.bindKey("Escape", [this] { cancelEdit(); return true; });
    fillEditor();
}

void EditorWindow::fillEditor()
{
    putGeneral(working_, model_.generals.at(index_));
    const CustomGeneral& general = working_;
    window_.groupBox("分组框1").setCaption("武将ID：" + utf8Of(intToText(general.id)));
    for (const EditorBinding& binding : kEditorBindings) {
        const int field = fieldIndexOf(binding);
        switch (binding.how) {
        case FieldControl::TextBox: {
            EditBox box = window_.editBox(binding.control);
            box.setText(general.textField(field).utf8().bytes());
            shownTexts_[std::string(binding.control)] = box.text();
            break;
        }
        case FieldControl::NumberBox:
            window_.editBox(binding.control).setText(utf8Of(intToText(general.intField(field))));
            break;
        case FieldControl::ListFromOne:
        case FieldControl::WeaponList:
        case FieldControl::ListFromZero:
            fillList(binding, general.intField(field));
            break;
        }
        if (binding.field == "lifespan") {
            window_.label("标签15").setCaption(utf8Of(deathYearText(general.birthYear, general.lifespan)));
        }
    }
}

void EditorWindow::fillList(const EditorBinding& binding, std::int32_t value)
{
    ComboBox list = window_.comboBox(binding.control);
    ShownList& shown = shownLists_[std::string(binding.control)];
    const int designedItems = list.count();
    // The list shows what the design's rule shows, among the design's items alone.
    const std::int64_t designed = designedSelection(binding.how, value);
    const int selection = designed < 0 ? -1 : static_cast<int>(std::min<std::int64_t>(designed, designedItems - 1));
    if (!itemForValue(binding.how, value, designedItems)) {
        const std::optional<std::int32_t> number =
            binding.how == FieldControl::WeaponList ? std::optional<std::int32_t>(value) : std::nullopt;
        shown.otherItem = list.addItem(otherValueItem(value), number);
    }
    list.setSelection(selection);
    shown.selection = list.selection();
}

void EditorWindow::updateDeathYear()
{
    const std::int32_t birthYear = numberIn(window_.editBox("编辑框_出生年").text());
    const std::int32_t lifespan = numberIn(window_.editBox("编辑框_寿命").text());
    window_.label("标签15").setCaption(utf8Of(deathYearText(birthYear, lifespan)));
}

void EditorWindow::confirmEdit()
{
    // A number that doesn't fit is refused before anything is stored.
    for (const EditorBinding& binding : kEditorBindings) {
        if (binding.how != FieldControl::NumberBox) continue;
        const std::string text = window_.editBox(binding.control).text();
        if (textToIntIfFits(utf8ToText(ByteString(text)))) continue;
        messageBox(std::string(binding.label) + "：“" + text + "”超出了可以保存的整数范围（" +
                       std::string(kInt32RangeText) + "）。请改为这个范围内的整数；武将未作任何修改。",
                   MessageStyle::Ok, "数值超出范围", MessageIcon::Warning);
        window_.focus(binding.control);
        return;
    }
    CustomGeneral& general = working_;
    for (const EditorBinding& binding : kEditorBindings) {
        const int field = fieldIndexOf(binding);
        switch (binding.how) {
        case FieldControl::TextBox: {
            const std::string text = window_.editBox(binding.control).text();
            // An untouched box keeps the field as read, exact bytes included.
            auto shown = shownTexts_.find(binding.control);
            if (shown == shownTexts_.end() || shown->second != text) {
                general.textField(field) = GeneralText::fromUtf8(ByteString(text));
            }
            break;
        }
        case FieldControl::NumberBox:
            general.intField(field) = numberIn(window_.editBox(binding.control).text());
            break;
        case FieldControl::ListFromOne:
        case FieldControl::WeaponList:
        case FieldControl::ListFromZero: {
            const ComboBox list = window_.comboBox(binding.control);
            const ShownList& shown = shownLists_.at(std::string(binding.control));
            const int picked = list.selection();
            // An untouched list, or its item for the record's own value, keeps the value.
            if (picked == shown.selection || picked == shown.otherItem) break;
            general.intField(field) = valueOfSelection(binding.how, picked, list.itemNumber(picked));
            break;
        }
        }
    }
    storeGeneral(model_, index_, general);
    window_.close();
}

void EditorWindow::cancelEdit() { window_.close(); }

}  // namespace sg8
