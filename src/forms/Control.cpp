#include "forms/Control.h"

#include <algorithm>

#include "forms/Form.h"

namespace q {

Control::Control(Form& form, ControlKind kind, std::string name, int index)
    : form_(form), kind_(kind), name_(std::move(name)), index_(index) {}

std::string Control::path() const {
    std::string p = form_.Name() + "." + name_;
    if (index_ >= 0) p += "(" + std::to_string(index_) + ")";
    return p;
}

void Control::SetFocus() {
    if (form_.loaded()) form_.host().SetFocus(*this);
}

void Control::propertyChanged(const void* property) {
    onChanged(property);
    if (form_.loaded()) form_.host().controlChanged(*this);
}

Label::Label(Form& form, std::string name, int index) : Control(form, ControlKind::Label, std::move(name), index) {
    BackTransparent = true;
}

void Label::onChanged(const void* property) {
    const bool sizing = property == &Caption || property == &AutoSize || property == &FontName ||
                        property == &FontSize || property == &FontBold || property == &FontItalic;
    if (!sizing || !AutoSize) return;
    TextFont font{FontName, FontSize, FontBold, FontItalic, FontUnderline};
    Host& host = form().host();
    Width = Caption->empty() ? 0 : host.TextWidthTwips(Caption, font);
    Height = host.TextHeightTwips(font);
}

CommandButton::CommandButton(Form& form, std::string name, int index)
    : Control(form, ControlKind::CommandButton, std::move(name), index) {}

CheckBox::CheckBox(Form& form, std::string name, int index)
    : Control(form, ControlKind::CheckBox, std::move(name), index) {}

OptionButton::OptionButton(Form& form, std::string name, int index)
    : Control(form, ControlKind::OptionButton, std::move(name), index) {}

TextBox::TextBox(Form& form, std::string name, int index)
    : Control(form, ControlKind::TextBox, std::move(name), index) {
    BackColor = vbWhite;
}

PictureBox::PictureBox(Form& form, std::string name, int index)
    : Control(form, ControlKind::PictureBox, std::move(name), index) {}

Line::Line(Form& form, std::string name, int index) : Control(form, ControlKind::Line, std::move(name), index) {}

Timer::Timer(Form& form, std::string name, int index) : Control(form, ControlKind::Timer, std::move(name), index) {
    Enabled = false;
    Visible = false;
}

bool Timer::running() const { return form().loaded() && Enabled && Interval > 0; }

void Timer::fire() {
    // A tick never runs inside its own handler, however the handler pumps events.
    if (!running() || inHandler_ || !OnTimer) return;
    inHandler_ = true;
    OnTimer();
    inHandler_ = false;
}

void Timer::onChanged(const void* property) {
    if (property == &Interval || property == &Enabled) form().host().timerChanged(*this);
}

RichTextBox::RichTextBox(Form& form, std::string name, int index)
    : Control(form, ControlKind::RichTextBox, std::move(name), index) {
    BackColor = vbWhite;
}

const std::string& ListItem::SubItem(int column) const {
    static const std::string empty;
    if (column < 1 || column > int(SubItems.size())) return empty;
    return SubItems[static_cast<size_t>(column - 1)];
}

void ListItem::SetSubItem(int column, std::string text) {
    if (column < 1) return;
    if (int(SubItems.size()) < column) SubItems.resize(static_cast<size_t>(column));
    SubItems[static_cast<size_t>(column - 1)] = std::move(text);
}

ListView::ListView(Form& form, std::string name, int index)
    : Control(form, ControlKind::ListView, std::move(name), index) {
    BackColor = vbWhite;
}

void ListView::ClearColumns() {
    columns_.clear();
    propertyChanged(&columns_);
}

void ListView::AddColumn(std::string text, int width) {
    columns_.push_back({std::move(text), width});
    propertyChanged(&columns_);
}

void ListView::ClearItems() {
    items_.clear();
    selected_ = 0;
    propertyChanged(&items_);
}

ListItem& ListView::AddItem(std::string text) {
    items_.push_back(ListItem{std::move(text), {}, {}, false});
    // The first row becomes the current one, as in the toolkit's list.
    if (selected_ == 0) selected_ = 1;
    return items_.back();
}

ListItem& ListView::Item(int index1) { return items_.at(static_cast<size_t>(index1 - 1)); }
const ListItem& ListView::Item(int index1) const { return items_.at(static_cast<size_t>(index1 - 1)); }

ListItem* ListView::SelectedItem() {
    if (items_.empty()) return nullptr;
    return &items_[static_cast<size_t>(std::clamp(selected_, 1, Count()) - 1)];
}

void ListView::Select(int index1, bool extend) {
    if (index1 < 1 || index1 > Count()) return;
    if (!extend || !MultiSelect)
        for (auto& it : items_) it.Selected = false;
    items_[static_cast<size_t>(index1 - 1)].Selected = true;
    selected_ = index1;
    propertyChanged(&items_);
}

MenuItem::MenuItem(Form& form, std::string name, int index)
    : Control(form, ControlKind::Menu, std::move(name), index) {}

}  // namespace q
