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

namespace {

// Byte offsets of the characters of a UTF-8 text, and its length at the end.
std::vector<size_t> CharStarts(const std::string& s) {
    std::vector<size_t> starts;
    for (size_t i = 0; i < s.size(); ++i)
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) starts.push_back(i);
    starts.push_back(s.size());
    return starts;
}

std::string Utf8(int code) {
    std::string out;
    const auto c = static_cast<unsigned>(code);
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
    return out;
}

}  // namespace

void TextBox::DigitsOnly(int& KeyAscii) const {
    if (KeyAscii == 8) return;
    const bool digit = KeyAscii >= '0' && KeyAscii <= '9';
    if (!digit || (TextLength() >= MaxDigits && SelLength == 0)) KeyAscii = 0;
}

namespace {

// A full-width digit (what a Japanese input method types) as the digit.
constexpr int WideZero = 0xFF10;
bool IsWideDigit(int code) { return code >= WideZero && code < WideZero + 10; }

// The same digits in UTF-8: U+FF10 to U+FF19 are EF BC 90 to EF BC 99.
std::string NarrowDigits(const std::string& text) {
    std::string out;
    const auto byte = [&text](size_t k) { return static_cast<unsigned char>(text[k]); };
    for (size_t i = 0; i < text.size(); ++i) {
        if (i + 2 < text.size() && byte(i) == 0xEF && byte(i + 1) == 0xBC && byte(i + 2) >= 0x90 && byte(i + 2) <= 0x99) {
            out += char('0' + byte(i + 2) - 0x90);
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

void TextBox::EditedByPlayer() {
    if (MaxDigits > 0) {
        const std::string text = NarrowDigits(Text);
        std::string kept;
        if (Signed && !text.empty() && text[0] == '-') kept = "-";
        for (char ch : text)
            if (ch >= '0' && ch <= '9' && int(kept.size()) < MaxDigits) kept += ch;
        if (kept == "-") kept.clear();
        if (kept != Text.get()) {
            Text = kept;
            SelStart = std::min(SelStart.get(), TextLength());
            SelLength = 0;
        }
    }
    if (Change) Change();
}

int TextBox::TextLength() const { return int(CharStarts(Text).size()) - 1; }

void TextBox::SelectAll() {
    SelStart = 0;
    SelLength = TextLength();
}

void TextBox::Type(int KeyAscii) {
    if (MaxDigits > 0 && IsWideDigit(KeyAscii)) KeyAscii = '0' + KeyAscii - WideZero;
    if (KeyPress) KeyPress(KeyAscii);
    if (KeyAscii == 0 || KeyAscii == 13 || Locked) return;
    const std::string text = Text;
    const auto starts = CharStarts(text);
    const int length = int(starts.size()) - 1;
    int from = std::clamp(SelStart.get(), 0, length);
    int to = std::clamp(from + SelLength.get(), from, length);
    std::string insert;
    if (KeyAscii == 8) {
        if (from == to && from > 0) --from;
    } else {
        if (MaxLength > 0 && length - (to - from) >= MaxLength) return;
        insert = Utf8(KeyAscii);
    }
    Text = text.substr(0, starts[size_t(from)]) + insert + text.substr(starts[size_t(to)]);
    SelStart = from + (insert.empty() ? 0 : 1);
    SelLength = 0;
    // What the key filter let through stays as it is.
    if (Change) Change();
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

void ListView::changed() {
    if (updating_ > 0) pending_ = true;
    else propertyChanged(&items_);
}

void ListView::EndUpdate() {
    if (updating_ > 0 && --updating_ == 0 && pending_) {
        pending_ = false;
        propertyChanged(&items_);
    }
}

void ListView::ClearColumns() {
    columns_.clear();
    changed();
}

void ListView::AddColumn(std::string text, int width) {
    columns_.push_back({std::move(text), width});
    changed();
}

void ListView::ClearItems() {
    items_.clear();
    selected_ = 0;
    changed();
}

ListItem& ListView::AddItem(std::string text) {
    items_.push_back(ListItem{std::move(text), {}, {}, false});
    // The first row becomes the current one, as in the toolkit's list.
    if (selected_ == 0) selected_ = 1;
    if (updating_ > 0) pending_ = true;
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
    changed();
}

void ListView::SetSelected(int index1, bool selected) {
    if (index1 < 1 || index1 > Count()) return;
    if (selected && !MultiSelect)
        for (auto& it : items_) it.Selected = false;
    items_[static_cast<size_t>(index1 - 1)].Selected = selected;
    if (selected) selected_ = index1;
    changed();
}

void ListView::UnselectAll() {
    for (auto& it : items_) it.Selected = false;
    changed();
}

std::vector<int> ListView::SelectedRows() const {
    std::vector<int> rows;
    for (int i = 1; i <= Count(); ++i)
        if (items_[static_cast<size_t>(i - 1)].Selected) rows.push_back(i);
    return rows;
}

void ListView::EnsureVisible(int index1) {
    if (index1 < 1 || index1 > Count()) return;
    visibleRow_ = index1;
    ++visibleRequests_;
    changed();
}

void ListView::SelectionFromHost(const std::vector<int>& rows, int current) {
    for (auto& it : items_) it.Selected = false;
    for (int r : rows)
        if (r >= 1 && r <= Count()) items_[static_cast<size_t>(r - 1)].Selected = true;
    if (current >= 1 && current <= Count()) selected_ = current;
}

MenuItem::MenuItem(Form& form, std::string name, int index)
    : Control(form, ControlKind::Menu, std::move(name), index) {}

}  // namespace q
