#include "sim/Script.h"

#include <cctype>
#include <filesystem>
#include <sstream>

#include "core/Game.h"
#include "core/Startup.h"
#include "core/StoryInput.h"
#include "core/frmUnderMes.h"
#include "core/frmUnderMes2.h"
#include "forms/Keys.h"
#include "stage/mod_RGN_Proc.h"
#include "sim/SimHost.h"

namespace q {

std::vector<std::string> SplitWords(const std::string& line) {
    std::vector<std::string> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
        if (i >= line.size()) break;
        std::string word;
        if (line[i] == '"') {
            ++i;
            bool closed = false;
            while (i < line.size()) {
                if (line[i] == '"') {
                    if (i + 1 < line.size() && line[i + 1] == '"') {
                        word += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                word += line[i++];
            }
            if (!closed) throw std::runtime_error("unclosed quote");
        } else {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') word += line[i++];
        }
        words.push_back(word);
    }
    return words;
}

ScriptRunner::ScriptRunner(ScriptDriver& driver, std::function<Game&()> makeGame, std::ostream& out)
    : driver_(driver), makeGame_(std::move(makeGame)), out_(out) {}

Game& ScriptRunner::game() {
    if (!game_) game_ = &makeGame_();
    return *game_;
}

void ScriptRunner::Run(std::istream& in) {
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        RunLine(line, number);
        if (game_ && game_->Ended()) {
            // Lines after the end may only check what is left.
        }
    }
    driver_.Flush();
    driver_.Finished();
}

namespace {

int ParseButton(const std::string& w, int line) {
    if (w == "left") return vbLeftButton;
    if (w == "right") return vbRightButton;
    if (w == "middle") return vbMiddleButton;
    throw ScriptError(line, "unknown button " + w + " (left, right or middle)");
}

// "frmUnderMes.LBLMessage(1)" -> form, control, index
struct ControlPath {
    std::string form, control, property;
    int index = -1;
};

ControlPath ParsePath(const std::string& text, int line) {
    ControlPath p;
    auto dot = text.find('.');
    p.form = text.substr(0, dot);
    if (dot == std::string::npos) return p;
    std::string rest = text.substr(dot + 1);
    auto open = rest.find('(');
    auto dot2 = rest.find('.', open == std::string::npos ? 0 : rest.find(')'));
    std::string head = dot2 == std::string::npos ? rest : rest.substr(0, dot2);
    if (dot2 != std::string::npos) p.property = rest.substr(dot2 + 1);
    open = head.find('(');
    if (open != std::string::npos) {
        auto close = head.find(')', open);
        if (close == std::string::npos) throw ScriptError(line, "unbalanced parenthesis in " + text);
        try {
            p.index = std::stoi(head.substr(open + 1, close - open - 1));
        } catch (const std::exception&) {
            throw ScriptError(line, "bad index in " + text);
        }
        head = head.substr(0, open);
    }
    p.control = head;
    return p;
}

// A list's rows as a script reads them: the cells of a row joined by "/",
// the rows by " | ".
std::string ListRows(const ListView& lv) {
    std::string text;
    for (int r = 1; r <= lv.Count(); ++r) {
        const ListItem& row = lv.Item(r);
        if (r > 1) text += " | ";
        text += row.Text;
        for (const auto& cell : row.SubItems) text += "/" + cell;
    }
    return text;
}

std::string SelectedRows(const ListView& lv) {
    std::string text;
    for (int r : lv.SelectedRows()) text += (text.empty() ? "" : " ") + std::to_string(r);
    return text;
}

std::string ControlText(const Control& c) {
    switch (c.kind()) {
        case ControlKind::Label: return static_cast<const Label&>(c).Caption;
        case ControlKind::CommandButton: return static_cast<const CommandButton&>(c).Caption;
        case ControlKind::CheckBox: return std::to_string(static_cast<const CheckBox&>(c).Value.get());
        case ControlKind::OptionButton: return static_cast<const OptionButton&>(c).Value ? "-1" : "0";
        case ControlKind::TextBox: return static_cast<const TextBox&>(c).Text;
        case ControlKind::RichTextBox: return static_cast<const RichTextBox&>(c).Text;
        case ControlKind::Menu: return static_cast<const MenuItem&>(c).Caption;
        case ControlKind::ListView: return ListRows(static_cast<const ListView&>(c));
        default: return "";
    }
}

std::string Truth(bool b) { return b ? "-1" : "0"; }

std::string ControlProperty(const Control& c, const std::string& prop, int line) {
    if (prop.empty() || prop == "Caption" || prop == "Text" || prop == "Value") return ControlText(c);
    if (prop == "Left") return std::to_string(c.Left.get());
    if (prop == "Top") return std::to_string(c.Top.get());
    if (prop == "Width") return std::to_string(c.Width.get());
    if (prop == "Height") return std::to_string(c.Height.get());
    if (prop == "Visible") return Truth(c.Visible);
    if (prop == "Enabled") return Truth(c.Enabled);
    if (prop == "FontUnderline") return Truth(c.FontUnderline);
    if (prop == "ForeColor") return std::to_string(c.ForeColor.get());
    if (prop == "BackColor") return std::to_string(c.BackColor.get());
    if (prop == "Interval" && c.kind() == ControlKind::Timer) return std::to_string(static_cast<const Timer&>(c).Interval.get());
    if (prop == "ToolTipText") return c.ToolTipText;
    if (c.kind() == ControlKind::ListView) {
        const auto& lv = static_cast<const ListView&>(c);
        if (prop == "Rows") return ListRows(lv);
        if (prop == "Count") return std::to_string(lv.Count());
        if (prop == "Selected") return SelectedRows(lv);
    }
    throw ScriptError(line, "unknown property " + prop);
}

std::string FormProperty(const Form& f, const std::string& prop, int line) {
    if (prop == "Caption") return f.Caption;
    if (prop == "Left") return std::to_string(f.Left.get());
    if (prop == "Top") return std::to_string(f.Top.get());
    if (prop == "Width") return std::to_string(f.Width.get());
    if (prop == "Height") return std::to_string(f.Height.get());
    if (prop == "Visible") return Truth(f.Visible);
    if (prop == "Loaded") return Truth(f.loaded());
    if (prop == "BackColor") return std::to_string(f.BackColor.get());
    if (prop == "Tag") return f.Tag;
    throw ScriptError(line, "unknown property " + prop);
}

std::string Normal(const std::string& text) { return FormatValue(ParseValue(text)); }

}  // namespace

void ScriptRunner::Start() { StartProgram(game()); }

void ScriptRunner::Key(const std::vector<std::string>& w) {
    if (w.size() < 2) throw ScriptError(line_, "key needs a key name");
    auto code = KeyCodeFromName(w[1]);
    if (!code) throw ScriptError(line_, "unknown key " + w[1]);
    int shift = 0;
    Form* target = nullptr;
    Control* focused = nullptr;
    Game& g = game();
    for (size_t i = 2; i < w.size(); ++i) {
        if (w[i] == "+Shift") shift |= 1;
        else if (w[i] == "+Ctrl") shift |= 2;
        else if (w[i] == "+Alt") shift |= 4;
        else if (w[i].size() > 1 && w[i][0] == '@') {
            ControlPath p = ParsePath(w[i].substr(1), line_);
            target = g.FindForm(p.form);
            if (!target || !target->loaded()) throw ScriptError(line_, "no loaded form " + p.form);
            if (!p.control.empty()) {
                focused = target->findControl(p.control, p.index);
                if (!focused) throw ScriptError(line_, "no control " + w[i].substr(1));
            }
        } else throw ScriptError(line_, "unknown key modifier " + w[i]);
    }
    if (!target) {
        // The window with the focus: the stage, else the bar in front.
        if (g.StageForm && g.StageForm->loaded() && g.StageForm->Visible) target = g.StageForm;
        else if (g.frmUnderMes2.loaded() && g.frmUnderMes2.peek()->Visible) target = g.frmUnderMes2.peek();
        else if (g.frmUnderMes.loaded()) target = g.frmUnderMes.peek();
    }
    if (!target) throw ScriptError(line_, "no window to take the key");
    PressKey(*target, focused, *code, shift);
    driver_.Flush();
}

void ScriptRunner::ClickStage(const std::vector<std::string>& w) {
    // click stage X Y [button]: a click at a screen pixel. Only a figure's
    // pixels belong to the stage's window; elsewhere the desktop takes it.
    if (w.size() < 4) throw ScriptError(line_, "click stage needs X Y");
    int xy[2] = {0, 0};
    for (int i = 0; i < 2; ++i) {
        try {
            size_t used = 0;
            xy[i] = std::stoi(w[size_t(2 + i)], &used);
            if (used != w[size_t(2 + i)].size()) throw std::invalid_argument("");
        } catch (const std::exception&) {
            throw ScriptError(line_, "not a number: " + w[size_t(2 + i)]);
        }
    }
    const int button = w.size() > 4 ? ParseButton(w[4], line_) : vbLeftButton;
    Game& g = game();
    Form* stage = RegionFormAt(g, xy[0], xy[1]);
    if (!stage) {
        driver_.Note("click " + std::to_string(xy[0]) + "," + std::to_string(xy[1]) + ": no figure there, the desktop takes it");
        return;
    }
    // The stage's handler takes the place on its form.
    const int tx = g.host.TwipsPerPixelX(), ty = g.host.TwipsPerPixelY();
    stage->Form_MouseDown(button, 0, xy[0] * tx - stage->Left / tx * tx, xy[1] * ty - stage->Top / ty * ty);
    driver_.Flush();
}

void ScriptRunner::Click(const std::vector<std::string>& w) {
    if (w.size() < 2) throw ScriptError(line_, "click needs FORM.CONTROL");
    if (w[1] == "stage") return ClickStage(w);
    Game& g = game();
    ControlPath p = ParsePath(w[1], line_);
    int button = w.size() > 2 ? ParseButton(w[2], line_) : vbLeftButton;
    Form* f = g.FindForm(p.form);
    if (!f || !f->loaded() || !f->Visible) throw ScriptError(line_, p.form + " is not shown");
    if (p.control.empty()) {
        f->Form_MouseDown(button, 0, 0, 0);
    } else {
        Control* c = f->findControl(p.control, p.index);
        if (!c) throw ScriptError(line_, "no control " + w[1]);
        if (!c->Visible) throw ScriptError(line_, w[1] + " is not shown");
        if (!c->Enabled) {
            driver_.Note("click " + w[1] + ": disabled, nothing happens");
        } else {
            // A click gives the focus to a control that takes it.
            const ControlKind k = c->kind();
            if (k == ControlKind::CommandButton || k == ControlKind::CheckBox || k == ControlKind::OptionButton ||
                k == ControlKind::TextBox || k == ControlKind::ListView)
                c->SetFocus();
            if (c->MouseDown) c->MouseDown(button, 0, 0, 0);
            if (button == vbLeftButton && c->Click) c->Click();
        }
    }
    driver_.Flush();
}

namespace {

// A shown control of a shown form, by its path.
Control& ShownControl(Game& g, const std::string& path, int line) {
    ControlPath p = ParsePath(path, line);
    Form* f = g.app.find(p.form);
    if (!f || !f->loaded() || !f->Visible) throw ScriptError(line, p.form + " is not shown");
    Control* c = f->findControl(p.control, p.index);
    if (!c) throw ScriptError(line, "no control " + path);
    if (!c->Visible) throw ScriptError(line, path + " is not shown");
    return *c;
}

}  // namespace

void ScriptRunner::DblClick(const std::vector<std::string>& w) {
    if (w.size() < 2) throw ScriptError(line_, "dblclick needs FORM or FORM.CONTROL");
    Game& g = game();
    ControlPath p = ParsePath(w[1], line_);
    if (p.control.empty()) {
        Form* f = g.app.find(p.form);
        if (!f || !f->loaded() || !f->Visible) throw ScriptError(line_, p.form + " is not shown");
        f->Form_DblClick();
    } else {
        Control& c = ShownControl(g, w[1], line_);
        if (!c.Enabled) driver_.Note("dblclick " + w[1] + ": disabled, nothing happens");
        else if (c.DblClick) c.DblClick();
    }
    driver_.Flush();
}

void ScriptRunner::Select(const std::vector<std::string>& w) {
    if (w.size() < 2) throw ScriptError(line_, "select needs FORM.CONTROL and rows");
    Game& g = game();
    Control& c = ShownControl(g, w[1], line_);
    if (c.kind() != ControlKind::ListView) throw ScriptError(line_, w[1] + " is not a list");
    auto& lv = static_cast<ListView&>(c);
    if (!lv.Enabled) {
        driver_.Note("select " + w[1] + ": disabled, nothing happens");
        return;
    }
    std::vector<int> rows;
    for (size_t i = 2; i < w.size(); ++i) {
        if (w[i] == "none") continue;
        int r = 0;
        try {
            r = std::stoi(w[i]);
        } catch (const std::exception&) {
            throw ScriptError(line_, "not a row: " + w[i]);
        }
        if (r < 1 || r > lv.Count()) throw ScriptError(line_, w[1] + " has no row " + w[i]);
        rows.push_back(r);
    }
    if (rows.size() > 1 && !lv.MultiSelect) throw ScriptError(line_, w[1] + " selects one row at a time");
    // As the player's clicks with Ctrl held: exactly these rows.
    lv.SetFocus();
    lv.UnselectAll();
    for (int r : rows) lv.SetSelected(r, true);
    if (!rows.empty() && lv.ItemClick) lv.ItemClick(rows.back());
    driver_.Flush();
}

void ScriptRunner::Type(const std::vector<std::string>& w) {
    if (w.size() < 3) throw ScriptError(line_, "type needs FORM.CONTROL and the text");
    Game& g = game();
    Control& c = ShownControl(g, w[1], line_);
    if (c.kind() != ControlKind::TextBox) throw ScriptError(line_, w[1] + " is not a text box");
    auto& box = static_cast<TextBox&>(c);
    if (!box.Enabled) {
        driver_.Note("type " + w[1] + ": disabled, nothing happens");
        return;
    }
    box.SetFocus();
    driver_.AwaitFocus(box);
    // The text, with {Enter} and {Backspace} for those keys.
    std::vector<std::pair<int, int>> keys;  // key code, character
    const std::string& text = w[2];
    for (size_t i = 0; i < text.size();) {
        if (text.compare(i, 7, "{Enter}") == 0) {
            keys.emplace_back(13, 13);
            i += 7;
        } else if (text.compare(i, 11, "{Backspace}") == 0) {
            keys.emplace_back(8, 8);
            i += 11;
        } else {
            const unsigned char ch = static_cast<unsigned char>(text[i]);
            if (ch >= 0x80) throw ScriptError(line_, "type takes plain characters, {Enter} and {Backspace}");
            const int code = std::isalpha(ch) ? std::toupper(ch) : (std::isdigit(ch) || ch == ' ') ? ch : 0;
            keys.emplace_back(code, ch);
            ++i;
        }
    }
    for (const auto& [code, ch] : keys) {
        if (!box.form().loaded() || !box.Enabled) break;
        if (code && box.KeyDown) box.KeyDown(code, 0);
        if (!box.form().loaded() || !box.Enabled) break;
        box.Type(ch);
    }
    driver_.Flush();
}

void ScriptRunner::Drag(const std::vector<std::string>& w) {
    if (w.size() < 4) throw ScriptError(line_, "drag needs FORM[.CONTROL] DX DY");
    Game& g = game();
    int dx = 0, dy = 0;
    try {
        dx = std::stoi(w[2]);
        dy = std::stoi(w[3]);
    } catch (const std::exception&) {
        throw ScriptError(line_, "drag moves by whole pixels: " + w[2] + " " + w[3]);
    }
    if (!driver_.QueueDrag(dx, dy)) throw ScriptError(line_, "this host cannot drag");
    ControlPath p = ParsePath(w[1], line_);
    // The left button held down and moved over the window (or one of its labels).
    if (p.control.empty()) {
        Form* f = g.app.find(p.form);
        if (!f || !f->loaded() || !f->Visible) throw ScriptError(line_, p.form + " is not shown");
        f->Form_MouseMove(vbLeftButton, 0, 0, 0);
    } else {
        Control& c = ShownControl(g, w[1], line_);
        if (c.MouseMove) c.MouseMove(vbLeftButton, 0, 0, 0);
    }
    driver_.Flush();
}

std::string ScriptRunner::Actual(const std::string& what) {
    Game& g = game();
    if (what == "focus") {
        const Control* c = driver_.Focused();
        return c ? c->path() : "";
    }
    if (what == "result") return lastResult_;
    if (what == "bar") {
        Form* bar = g.frmUnderMes2.loaded() && g.frmUnderMes2.peek()->Visible ? static_cast<Form*>(g.frmUnderMes2.peek())
                                                                               : static_cast<Form*>(g.frmUnderMes.peek());
        return bar ? SimHost::BarText(*bar) : "";
    }
    ControlPath p = ParsePath(what, line_);
    if (Form* f = g.FindForm(p.form); f && !p.control.empty()) {
        if (Control* c = f->findControl(p.control, p.index)) return ControlProperty(*c, p.property, line_);
        return FormProperty(*f, p.control, line_);
    }
    try {
        return FormatValue(g.vars.get(g, what));
    } catch (const VarError& e) {
        throw ScriptError(line_, e.what());
    }
}

void ScriptRunner::Expect(const std::vector<std::string>& w) {
    if (w.size() < 2) throw ScriptError(line_, "expect needs what to check");
    const std::string expected = w.size() > 2 ? w[2] : "";
    const std::string actual = Actual(w[1]);
    const bool same = w[1] == "bar" ? actual == expected : Normal(actual) == Normal(expected);
    if (!same) throw ScriptError(line_, "expected " + w[1] + " to be \"" + expected + "\", but it is \"" + actual + "\"");
}

void ScriptRunner::Dump() {
    Game& g = game();
    out_ << "{";
    bool first = true;
    for (const auto& name : g.vars.names()) {
        Value v = g.vars.get(g, name);
        out_ << (first ? "" : ",") << "\n  \"" << name << "\": ";
        first = false;
        if (auto* s = std::get_if<std::string>(&v)) {
            out_ << '"';
            for (char c : *s) {
                if (c == '"' || c == '\\') out_ << '\\';
                out_ << c;
            }
            out_ << '"';
        } else {
            out_ << FormatValue(v);
        }
    }
    out_ << "\n}\n";
}

void ScriptRunner::RunLine(const std::string& raw, int number) {
    line_ = number;
    std::vector<std::string> w;
    try {
        w = SplitWords(raw);
    } catch (const std::exception& e) {
        throw ScriptError(number, e.what());
    }
    if (w.empty() || w[0][0] == '#') return;
    const std::string& cmd = w[0];
    auto need = [&](size_t n) {
        if (w.size() < n + 1) throw ScriptError(number, cmd + " needs " + std::to_string(n) + " argument(s)");
    };
    auto number_ = [&](size_t i) -> long long {
        try {
            size_t used = 0;
            long long v = std::stoll(w.at(i), &used);
            if (used != w[i].size()) throw std::invalid_argument("");
            return v;
        } catch (const std::exception&) {
            throw ScriptError(number, "not a number: " + (i < w.size() ? w[i] : std::string("(missing)")));
        }
    };
    try {
        if (cmd == "seed") {
            need(1);
            if (game_) throw ScriptError(number, "seed must come before the game starts");
            driver_.SetSeed(static_cast<unsigned long long>(number_(1)));
        } else if (cmd == "screen") {
            // Before the start, or while the game runs (the screen resized).
            need(2);
            driver_.SetScreen(int(number_(1)), int(number_(2)), w.size() > 3 ? int(number_(3)) : 40);
            if (game_) driver_.Flush();
        } else if (cmd == "workarea") {
            // The part of the screen the desktop's panels leave: a panel at
            // the top, the left or the right.
            need(4);
            if (number_(3) <= 0 || number_(4) <= 0) throw ScriptError(number, "workarea needs X Y WIDTH HEIGHT");
            if (!driver_.SetWorkArea(int(number_(1)), int(number_(2)), int(number_(3)), int(number_(4))))
                throw ScriptError(number, "this host takes its work area from the desktop");
            if (game_) driver_.Flush();
        } else if (cmd == "dir") {
            need(1);
            std::error_code ec;
            std::filesystem::create_directories(w[1], ec);
            std::filesystem::current_path(w[1], ec);
            if (ec) throw ScriptError(number, "cannot use folder " + w[1] + ": " + ec.message());
            if (w.size() > 2) {
                if (w[2] != "empty") throw ScriptError(number, "dir takes a folder and, to start it afresh, empty");
                // The files a game leaves (save files, records) go; folders stay.
                for (const auto& entry : std::filesystem::directory_iterator(".", ec))
                    if (entry.is_regular_file()) std::filesystem::remove(entry.path(), ec);
                if (ec) throw ScriptError(number, "cannot empty folder " + w[1] + ": " + ec.message());
            }
        } else if (cmd == "restart") {
            if (!driver_.Restart()) throw ScriptError(number, "this host cannot restart the program");
            game_ = nullptr;
        } else if (cmd == "start") {
            Start();
            driver_.Flush();
        } else if (cmd == "key") {
            driver_.CloseMenu();
            Key(w);
        } else if (cmd == "click") {
            driver_.CloseMenu();
            Click(w);
        } else if (cmd == "dblclick") {
            driver_.CloseMenu();
            DblClick(w);
        } else if (cmd == "select") {
            driver_.CloseMenu();
            Select(w);
        } else if (cmd == "type") {
            driver_.CloseMenu();
            Type(w);
        } else if (cmd == "drag") {
            driver_.CloseMenu();
            Drag(w);
        } else if (cmd == "menu") {
            need(1);
            MenuItem* open = driver_.OpenMenu();
            if (!open) throw ScriptError(number, "no popup menu is open");
            MenuItem* chosen = nullptr;
            for (MenuItem* item : open->children)
                if (item->Visible && item->Caption.get() == w[1]) chosen = item;
            if (!chosen) throw ScriptError(number, "the menu has no item " + w[1]);
            if (!chosen->Enabled) throw ScriptError(number, "menu item " + w[1] + " is disabled");
            driver_.CloseMenu();
            driver_.Note("choose " + w[1]);
            if (chosen->Click) chosen->Click();
            driver_.Flush();
        } else if (cmd == "wait") {
            need(1);
            game();
            driver_.Advance(number_(1));
        } else if (cmd == "msgbox") {
            need(1);
            static const std::pair<const char*, int> buttons[] = {{"OK", 1}, {"Cancel", 2}, {"Yes", 6}, {"No", 7}};
            int answer = 0;
            for (auto& [n, v] : buttons)
                if (w[1] == n) answer = v;
            if (!answer) throw ScriptError(number, "unknown button " + w[1] + " (OK, Cancel, Yes, No)");
            driver_.QueueMsgBoxAnswer(answer);
        } else if (cmd == "input") {
            need(1);
            driver_.QueueInputAnswer(w[1]);
        } else if (cmd == "set") {
            need(2);
            Game& g = game();
            g.vars.set(g, w[1], ParseValue(w[2]));
        } else if (cmd == "get") {
            need(1);
            out_ << w[1] << " = " << Actual(w[1]) << "\n";
        } else if (cmd == "call") {
            need(1);
            Game& g = game();
            std::vector<std::string> args(w.begin() + 2, w.end());
            std::string result = g.procs.call(g, w[1], args);
            lastResult_ = result;
            driver_.Flush();
            if (!result.empty()) out_ << w[1] << " -> " << result << "\n";
        } else if (cmd == "expect") {
            Expect(w);
        } else if (cmd == "draws") {
            need(1);
            Game& g = game();
            for (size_t i = 1; i < w.size(); ++i) {
                double u = 0;
                try {
                    u = std::stod(w[i]);
                } catch (const std::exception&) {
                    throw ScriptError(number, "not a draw: " + w[i]);
                }
                if (u < 0 || u >= 1) throw ScriptError(number, "a draw lies in [0, 1): " + w[i]);
                g.rng.Queue(u);
            }
        } else if (cmd == "frame") {
            need(1);
            game();
            driver_.Flush();
            std::string error;
            if (!driver_.WriteFrame(w[1], error)) throw ScriptError(number, "cannot write " + w[1] + ": " + error);
            driver_.Note("frame written to " + w[1]);
        } else if (cmd == "unload") {
            need(1);
            Game& g = game();
            Form* f = g.FindForm(w[1]);
            if (!f) throw ScriptError(number, "no form " + w[1]);
            f->Unload();
            driver_.Flush();
        } else if (cmd == "close") {
            // The desktop's close of a window: its close button, Alt+F4, a taskbar's close.
            need(1);
            driver_.CloseMenu();
            Game& g = game();
            Form* f = g.FindForm(w[1]);
            if (!f || !f->loaded()) throw ScriptError(number, "no loaded form " + w[1]);
            driver_.Note("close " + w[1]);
            f->RequestClose();
            driver_.Flush();
        } else if (cmd == "dump") {
            Dump();
        } else if (cmd == "dir") {
            // The game's current folder, where its save files go; made when missing.
            need(1);
            std::filesystem::create_directories(w[1]);
            std::filesystem::current_path(w[1]);
        } else if (cmd == "echo") {
            std::string text;
            for (size_t i = 1; i < w.size(); ++i) text += (i > 1 ? " " : "") + w[i];
            driver_.Note(text);
        } else {
            throw ScriptError(number, "unknown command " + cmd);
        }
    } catch (const ScriptError&) {
        throw;
    } catch (const std::exception& e) {
        throw ScriptError(number, e.what());
    }
}

}  // namespace q
