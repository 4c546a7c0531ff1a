// The controls of the forms toolkit the game is written against: labels,
// buttons, check and option boxes, text boxes, pictures, lines, timers, list
// views, a rich text box and menu items. They hold their state in plain
// properties; the host mirrors them and feeds their events back in.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "forms/Property.h"

namespace q {

class Form;

// A tool tip as the game's windows show it: the text between double quotes.
inline std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

enum class ControlKind {
    Label,
    CommandButton,
    CheckBox,
    OptionButton,
    TextBox,
    PictureBox,
    Line,
    Timer,
    ListView,
    RichTextBox,
    Menu,
};

// Mouse buttons and Shift bits as the game's input routine reads them.
enum MouseButton { vbLeftButton = 1, vbRightButton = 2, vbMiddleButton = 4 };
enum ShiftBit { vbShiftMask = 1, vbCtrlMask = 2, vbAltMask = 4 };

class Control : public PropertyOwner {
public:
    Control(Form& form, ControlKind kind, std::string name, int index = -1);
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    Form& form() const { return form_; }
    ControlKind kind() const { return kind_; }
    const std::string& name() const { return name_; }
    // Index within a control array, or -1 for a lone control.
    int Index() const { return index_; }
    // "frmUnderMes.LBLMessage(1)"
    std::string path() const;

    Prop<int> Left{*this, 0};
    Prop<int> Top{*this, 0};
    Prop<int> Width{*this, 0};
    Prop<int> Height{*this, 0};
    Prop<bool> Visible{*this, true};
    Prop<bool> Enabled{*this, true};
    Prop<std::string> Tag{*this};
    Prop<std::string> ToolTipText{*this};
    Prop<Color> BackColor{*this, vbButtonFace};
    Prop<Color> ForeColor{*this, vbBlack};
    Prop<bool> BackTransparent{*this, false};
    Prop<std::string> FontName{*this, "ＭＳ Ｐゴシック"};
    Prop<double> FontSize{*this, 9.0};
    Prop<bool> FontBold{*this, false};
    Prop<bool> FontItalic{*this, false};
    Prop<bool> FontUnderline{*this, false};
    Prop<int> TabIndex{*this, 0};

    // Events. The host calls them; a form wires the ones it handles.
    std::function<void(int Button, int Shift, int X, int Y)> MouseDown;
    // A move of the mouse over the control; Button holds the buttons held down.
    std::function<void(int Button, int Shift, int X, int Y)> MouseMove;
    std::function<void()> Click;
    std::function<void()> DblClick;
    std::function<void(int KeyCode, int Shift)> KeyDown;
    std::function<void()> GotFocus;

    void SetFocus();

    void propertyChanged(const void* property) override;

protected:
    virtual void onChanged(const void* /*property*/) {}

private:
    Form& form_;
    ControlKind kind_;
    std::string name_;
    int index_;
};

// A label sizes itself to its caption when AutoSize is on.
class Label : public Control {
public:
    Label(Form& form, std::string name, int index = -1);
    Prop<std::string> Caption{*this};
    Prop<bool> AutoSize{*this, true};
    Prop<int> Alignment{*this, 0};  // 0 left, 1 right, 2 centre

protected:
    void onChanged(const void* property) override;
};

class CommandButton : public Control {
public:
    CommandButton(Form& form, std::string name, int index = -1);
    Prop<std::string> Caption{*this};
};

class CheckBox : public Control {
public:
    CheckBox(Form& form, std::string name, int index = -1);
    Prop<std::string> Caption{*this};
    Prop<int> Value{*this, 0};  // 0 unchecked, 1 checked
};

class OptionButton : public Control {
public:
    OptionButton(Form& form, std::string name, int index = -1);
    Prop<std::string> Caption{*this};
    Prop<bool> Value{*this, false};
};

class TextBox : public Control {
public:
    TextBox(Form& form, std::string name, int index = -1);
    Prop<std::string> Text{*this};
    Prop<bool> Locked{*this, false};
    Prop<int> MaxLength{*this, 0};
    Prop<int> BorderStyle{*this, 1};  // 0 none, 1 a sunken frame
    // The caret and the selection, in characters: the selection starts at
    // SelStart and is SelLength long; 0 long means only the caret.
    Prop<int> SelStart{*this, 0};
    Prop<int> SelLength{*this, 0};
    // A number box: digits only, at most this many characters (0 for any
    // text); with Signed a leading minus may take one of them.
    Prop<int> MaxDigits{*this, 0};
    Prop<bool> Signed{*this, false};
    std::function<void()> Change;
    // A character typed into the box, before it goes in: the handler may
    // swallow it by setting KeyAscii to 0. Enter is 13, Backspace 8.
    std::function<void(int& KeyAscii)> KeyPress;

    // Characters in the text (not bytes).
    int TextLength() const;
    // For a KeyPress handler of a number box: lets Backspace through, and a
    // digit while fewer than MaxDigits are in the box (or some are selected
    // to be replaced); swallows everything else.
    void DigitsOnly(int& KeyAscii) const;
    // The player changed the text in the front end other than by typing a
    // character (pasted, cut, dropped): a number box keeps only what its key
    // filter would have let in, full-width digits as digits, then Change runs.
    void EditedByPlayer();
    // Selects the whole text.
    void SelectAll();
    // A character typed with the box focused: KeyPress may swallow it; what
    // is left replaces the selection (Backspace deletes it, or the character
    // before the caret), and the text stays as the key filter left it. Enter
    // goes no further than KeyPress. A number box takes a full-width digit
    // as the digit.
    void Type(int KeyAscii);
};

class PictureBox : public Control {
public:
    PictureBox(Form& form, std::string name, int index = -1);
    Prop<int> Picture{*this, -1};  // a sprite number, or -1 for none
};

class Line : public Control {
public:
    Line(Form& form, std::string name, int index = -1);
    Prop<int> X1{*this, 0};
    Prop<int> Y1{*this, 0};
    Prop<int> X2{*this, 0};
    Prop<int> Y2{*this, 0};
    Prop<int> BorderWidth{*this, 1};  // pixels
    Prop<Color> BorderColor{*this, vbBlack};
};

// A timer ticks while its form is loaded, it is enabled and its interval is
// above 0. The host schedules it; an overdue tick is delivered once.
class Timer : public Control {
public:
    Timer(Form& form, std::string name, int index = -1);
    Prop<int> Interval{*this, 0};
    std::function<void()> OnTimer;

    bool running() const;
    // Called by the host when the timer is due.
    void fire();

protected:
    void onChanged(const void* property) override;

private:
    bool inHandler_ = false;
};

class RichTextBox : public Control {
public:
    RichTextBox(Form& form, std::string name, int index = -1);
    Prop<std::string> Text{*this};
};

// One row of a list view: its text and sub-item texts, a tag and the
// selection flag.
struct ListItem {
    std::string Text;
    std::vector<std::string> SubItems;  // SubItems[0] is column 2
    std::string Tag;
    bool Selected = false;

    const std::string& SubItem(int column) const;  // 1-based, as the windows address them
    void SetSubItem(int column, std::string text);
};

struct ColumnHeader {
    std::string Text;
    int Width = 0;  // twips
};

enum ListViewView { lvwIcon = 0, lvwSmallIcon = 1, lvwList = 2, lvwReport = 3 };
enum ListLabelEdit { lvwAutomatic = 0, lvwManual = 1 };

// A report-style list: column headers, rows addressed from 1, selection.
// Edits between BeginUpdate and EndUpdate reach the host once, at the end,
// so a list rebuilt from scratch is shown only in its finished state.
class ListView : public Control {
public:
    ListView(Form& form, std::string name, int index = -1);
    Prop<int> View{*this, lvwReport};
    Prop<int> LabelEdit{*this, lvwManual};  // manual: the player cannot edit a row's text
    Prop<bool> MultiSelect{*this, false};
    Prop<bool> HideSelection{*this, false};  // false: the selection stays shown without the focus

    void ClearColumns();
    void AddColumn(std::string text, int width);
    const std::vector<ColumnHeader>& ColumnHeaders() const { return columns_; }

    void ClearItems();
    ListItem& AddItem(std::string text);
    int Count() const { return int(items_.size()); }
    ListItem& Item(int index1);  // 1-based
    const ListItem& Item(int index1) const;
    // The current row, or null when the list is empty.
    ListItem* SelectedItem();
    int SelectedIndex() const { return selected_; }
    // Makes a row the current one and selects it; without extend (or in a
    // single-selection list) every other row is unselected.
    void Select(int index1, bool extend = false);
    // Sets one row's selection flag (rows that do not exist are ignored).
    void SetSelected(int index1, bool selected);
    void UnselectAll();
    // The selected rows, counted from 1, in order.
    std::vector<int> SelectedRows() const;
    // Scrolls the list so that the row can be seen.
    void EnsureVisible(int index1);
    // The row last asked to be seen, and a count of the requests, so that a
    // host scrolls once per request.
    int VisibleRow() const { return visibleRow_; }
    int VisibleRequests() const { return visibleRequests_; }

    void BeginUpdate() { ++updating_; }
    void EndUpdate();
    // Tell the host that rows changed after edits made through Item().
    void Refresh() { changed(); }

    // The player changed the selection in the front end: the flags and the
    // current row are taken as they are, without reporting them back.
    void SelectionFromHost(const std::vector<int>& rows, int current);

    std::function<void(int index1)> ItemClick;

private:
    void changed();

    std::vector<ColumnHeader> columns_;
    std::vector<ListItem> items_;
    int selected_ = 0;
    int visibleRow_ = 0;
    int visibleRequests_ = 0;
    int updating_ = 0;
    bool pending_ = false;
};

// A popup menu entry; separators have the caption "-".
class MenuItem : public Control {
public:
    MenuItem(Form& form, std::string name, int index = -1);
    Prop<std::string> Caption{*this};
    Prop<bool> Checked{*this, false};
    std::vector<MenuItem*> children;
    bool isSeparator() const { return Caption.get() == "-"; }
};

// A control array: elements addressed by index, as LBLMessage(0..2).
template <class C>
class ControlArray {
public:
    ControlArray(Form& form, const std::string& name, int count) {
        items_.reserve(count);
        for (int i = 0; i < count; ++i) items_.emplace_back(std::make_unique<C>(form, name, i));
    }
    C& operator[](int i) { return *items_.at(static_cast<size_t>(i)); }
    const C& operator[](int i) const { return *items_.at(static_cast<size_t>(i)); }
    C& operator()(int i) { return (*this)[i]; }
    int size() const { return int(items_.size()); }
    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }

private:
    std::vector<std::unique_ptr<C>> items_;
};

}  // namespace q
