#include "ui/editor/editor_window.h"

#include "ui/editor/editor_design.h"
#include "ui/editor/editor_mapping.h"

#include <cstdint>

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
    fillEditor();
}

void EditorWindow::fillEditor()
{
    putGeneral(working_, model_.generals.at(index_));
    const CustomGeneral& general = working_;
    window_.groupBox("分组框1").setCaption("武将ID : " + utf8Of(intToText(general.id)));
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
            window_.comboBox(binding.control).setSelection(std::int64_t{general.intField(field)} - 1);
            break;
        case FieldControl::WeaponList:
            window_.comboBox(binding.control).setSelection(weaponComboIndex(general.intField(field)));
            break;
        case FieldControl::ListFromZero:
            window_.comboBox(binding.control).setSelection(general.intField(field));
            break;
        }
        if (binding.field == "lifespan") {
            window_.label("标签15").setCaption(utf8Of(deathYearText(general.birthYear, general.lifespan)));
        }
    }
}

void EditorWindow::updateDeathYear()
{
    const std::int32_t birthYear = numberIn(window_.editBox("编辑框_出生年").text());
    const std::int32_t lifespan = numberIn(window_.editBox("编辑框_寿命").text());
    window_.label("标签15").setCaption(utf8Of(deathYearText(birthYear, lifespan)));
}

void EditorWindow::confirmEdit()
{
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
            general.intField(field) = window_.comboBox(binding.control).selection() + 1;
            break;
        case FieldControl::WeaponList: {
            const ComboBox weapons = window_.comboBox(binding.control);
            general.intField(field) = weapons.selection() < 0 ? -1 : weapons.itemNumber(weapons.selection());
            break;
        }
        case FieldControl::ListFromZero:
            general.intField(field) = window_.comboBox(binding.control).selection();
            break;
        }
    }
    storeGeneral(model_, index_, general);
    window_.close();
}

void EditorWindow::cancelEdit() { window_.close(); }

}  // namespace sg8
