#include "sim/SimHost.h"

#include <algorithm>
#include <cstdio>

#include "forms/Form.h"

namespace q {

SimHost::SimHost(std::ostream* transcript) : out_(transcript) {}

void SimHost::SetScreen(int width, int height, int taskbar) {
    screenW_ = width;
    screenH_ = height;
    SetWorkArea({0, 0, width, height - taskbar});
}

void SimHost::SetWorkArea(PixelRect area) {
    if (area == workArea_) return;
    workArea_ = area;
    WorkAreaChanged();
    Flush();
}

void SimHost::Restart() {
    timers_.clear();
    msgAnswers_.clear();
    inputAnswers_.clear();
    documents_.clear();
    topmost_.clear();
    dirtyBars_.clear();
    shownBars_.clear();
    ended_ = false;
    lastFrame_ = StageShot{};
    logs_.clear();
    focused_ = nullptr;
    openMenu_ = nullptr;
    drags_.clear();
    Note("program started again");
}

std::string SimHost::Stamp() const {
    char buf[32];
    const std::int64_t t = Elapsed();
    std::snprintf(buf, sizeof buf, "[%6lld.%03lld] ", (long long)(t / 1000), (long long)(t % 1000));
    return buf;
}

void SimHost::Note(const std::string& line) {
    if (out_) *out_ << Stamp() << line << "\n";
}

bool SimHost::IsBar(const Form& f) const { return f.Name().rfind("frmUnderMes", 0) == 0; }

void SimHost::formLoaded(Form& f) {
    Flush();
    Note("load " + f.Name());
}

void SimHost::formUnloaded(Form& f) {
    Flush();
    for (auto it = timers_.begin(); it != timers_.end();)
        it = &it->first->form() == &f ? timers_.erase(it) : std::next(it);
    topmost_.erase(&f);
    if (openMenu_ && &openMenu_->form() == &f) openMenu_ = nullptr;
    if (focused_ && &focused_->form() == &f) focused_ = nullptr;
    dirtyBars_.erase(&f);
    shownBars_.erase(&f);
    Note("unload " + f.Name());
}

void SimHost::formChanged(Form& f) {
    if (IsBar(f)) dirtyBars_.insert(&f);
}

void SimHost::controlChanged(Control& c) {
    if (!IsBar(c.form())) return;
    dirtyBars_.insert(&c.form());
    ++barWrites_;
}

void SimHost::timerChanged(Timer& t) {
    if (t.running()) timers_[&t] = {now_ + t.Interval, ++seq_};
    else timers_.erase(&t);
}

void SimHost::programEnded() {
    Flush();
    ended_ = true;
    timers_.clear();
    Note("program ended");
}

std::string SimHost::BarText(const Form& bar) {
    std::string text;
    for (Control* c : bar.controls()) {
        if (c->kind() != ControlKind::Label) continue;
        const auto& l = static_cast<const Label&>(*c);
        if (l.Caption->empty()) continue;
        std::string part = l.FontUnderline ? "[" + l.Caption.get() + "]" : l.Caption.get();
        if (!l.Enabled) part += "{grey}";
        if (!text.empty()) text += " ";
        text += part;
    }
    return text;
}

void SimHost::Flush() {
    if (!out_) {
        dirtyBars_.clear();
        return;
    }
    // Bars in the order of the forms collection, so the transcript is stable.
    std::vector<const Form*> dirty(dirtyBars_.begin(), dirtyBars_.end());
    std::sort(dirty.begin(), dirty.end(), [](const Form* a, const Form* b) { return a->Name() < b->Name(); });
    dirtyBars_.clear();
    for (const Form* f : dirty) {
        std::string shown = !f->Visible ? std::string("(hidden)") : BarText(*f);
        if (shown.empty()) shown = "(empty)";
        auto it = shownBars_.find(f);
        if (it != shownBars_.end() && it->second == shown) continue;
        if (it == shownBars_.end() && shown == "(hidden)") continue;
        shownBars_[f] = shown;
        Note(f->Name() + ": " + shown);
    }
}

void SimHost::Deliver(std::int64_t upTo, bool once) {
    // Each due timer ticks; with `once`, each at most once (overdue ticks
    // are not delivered as a burst).
    std::set<Timer*> done;
    for (;;) {
        Timer* next = nullptr;
        Scheduled best{0, 0};
        for (auto& [t, s] : timers_) {
            if (s.due > upTo || (once && done.count(t))) continue;
            if (!next || s.due < best.due || (s.due == best.due && s.seq < best.seq)) {
                next = t;
                best = s;
            }
        }
        if (!next) return;
        if (best.due > now_) now_ = best.due;
        timers_[next] = {now_ + next->Interval, ++seq_};
        done.insert(next);
        next->fire();
        Flush();
        if (ended_) return;
    }
}

void SimHost::Advance(std::int64_t ms) {
    const std::int64_t target = now_ + ms;
    Deliver(target, false);
    if (now_ < target) now_ = target;
    Flush();
}

void SimHost::DoEvents() { Deliver(now_, true); }

int SimHost::TextWidthTwips(const std::string& text, const TextFont&) {
    // 90 twips for a half-width character, 180 for a full-width one.
    int width = 0;
    for (size_t i = 0; i < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        int len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : 4;
        char32_t cp = 0;
        if (len == 1) cp = c;
        else if (len == 2) cp = c & 0x1F;
        else if (len == 3) cp = c & 0x0F;
        else cp = c & 0x07;
        for (int k = 1; k < len && i + k < text.size(); ++k) cp = (cp << 6) | (text[i + k] & 0x3F);
        const bool half = cp < 0x80 || (cp >= 0xFF61 && cp <= 0xFF9F);
        width += half ? 90 : 180;
        i += static_cast<size_t>(len);
    }
    return width;
}

int SimHost::TextHeightTwips(const TextFont&) { return 180; }

int SimHost::MsgBox(const std::string& prompt, int style, const std::string& title) {
    Flush();
    int answer = vbOK;
    if (!msgAnswers_.empty()) {
        answer = msgAnswers_.front();
        msgAnswers_.pop_front();
    } else if ((style & 7) == vbYesNo) {
        answer = vbYes;
    }
    Note("msgbox \"" + title + "\": " + prompt + " -> " + std::to_string(answer));
    return answer;
}

std::string SimHost::InputBox(const std::string& prompt, const std::string& title, const std::string& text) {
    Flush();
    std::string answer = text;
    if (!inputAnswers_.empty()) {
        answer = inputAnswers_.front();
        inputAnswers_.pop_front();
    }
    Note("inputbox \"" + title + "\" " + (prompt.empty() ? "" : prompt + " ") + "[" + text + "] -> " + answer);
    return answer;
}

void SimHost::SetTopmost(Form& f, bool on) {
    if (on) topmost_.insert(&f);
    else topmost_.erase(&f);
}

std::string SimHost::MenuText(const MenuItem& menu) {
    std::string text;
    for (const MenuItem* item : menu.children) {
        if (!item->Visible) continue;
        if (!text.empty()) text += " | ";
        text += item->Caption.get();
        if (!item->isSeparator() && !item->Enabled) text += "{grey}";
    }
    return text;
}

void SimHost::PopupMenu(Form&, MenuItem& menu) {
    Flush();
    openMenu_ = &menu;
    Note("menu: " + MenuText(menu));
}

void SimHost::SetFocus(Control& c) {
    if (focused_ == &c) return;
    focused_ = &c;
    if (c.GotFocus) c.GotFocus();
}

void SimHost::DragForm(Form& f, const std::function<void()>& moved) {
    if (drags_.empty()) return;  // the button let go where it was pressed
    const auto [dx, dy] = drags_.front();
    drags_.pop_front();
    f.Left = f.Left + dx * tpp_;
    f.Top = f.Top + dy * tpp_;
    if (moved) moved();
    Note("drag " + f.Name() + " to " + std::to_string(f.Left.get()) + "," + std::to_string(f.Top.get()));
}

bool SimHost::OpenDocument(const std::string& path) {
    if (noViewer_) {
        Note("open document " + path + ": no viewer");
        return false;
    }
    documents_.push_back(path);
    Note("open document " + path);
    return true;
}

void SimHost::StageFrameReady(Form& stage, const StageFrame& frame) {
    lastFrame_.form = &stage;
    lastFrame_.region.assign(frame.region.begin(), frame.region.end());
    lastFrame_.image.assign(frame.image.begin(), frame.image.end());
    ++lastFrame_.frames;
    if (!showFrames_ || !out_) return;
    Flush();
    // The sprites of this frame are the last ones painted into the image.
    std::string line = "frame " + stage.Name() + ":";
    if (frame.region.empty()) {
        line += " nothing shows";
    } else {
        PixelRect b = frame.region.front();
        for (const auto& r : frame.region) {
            b.left = std::min(b.left, r.left);
            b.top = std::min(b.top, r.top);
            b.right = std::max(b.right, r.right);
            b.bottom = std::max(b.bottom, r.bottom);
        }
        for (const auto& s : frame.image) line += " " + std::to_string(s.sprite) + "@" + std::to_string(s.x) + "," + std::to_string(s.y);
        line += " | region " + std::to_string(frame.region.size()) + " rects, " + std::to_string(b.left) + "," +
                std::to_string(b.top) + "-" + std::to_string(b.right) + "," + std::to_string(b.bottom);
    }
    Note(line);
}

void SimHost::Log(const std::string& text) {
    logs_.push_back(text);
    Flush();
    Note("log: " + text);
}

std::vector<std::uint32_t> SimHost::Screenshot() const {
    const int w = screenW_, h = screenH_;
    const std::uint32_t desktop = 0xFF3A6EA5, taskbar = 0xFF28282F;
    // The desktop in the work area, the taskbar and panels around it.
    std::vector<std::uint32_t> screen(size_t(w) * size_t(h), taskbar);
    for (int y = std::max(0, workArea_.top); y < std::min(h, workArea_.bottom); ++y)
        for (int x = std::max(0, workArea_.left); x < std::min(w, workArea_.right); ++x) screen[size_t(y) * size_t(w) + size_t(x)] = desktop;
    const Form* stage = lastFrame_.form;
    if (!stage || !stage->loaded() || !stage->Visible) return screen;
    // The window: the form's rectangle, cut to its region, which lies on the form.
    const int t = std::max(1, tpp_);
    const int ox = stage->Left / t, oy = stage->Top / t;
    const int fw = stage->Width / t, fh = stage->Height / t;
    std::vector<unsigned char> inside(screen.size(), 0);
    for (const auto& r : lastFrame_.region)
        for (int y = std::max(0, r.top); y < std::min(fh, r.bottom); ++y)
            for (int x = std::max(0, r.left); x < std::min(fw, r.right); ++x)
                if (x + ox >= 0 && x + ox < w && y + oy >= 0 && y + oy < h) inside[size_t(y + oy) * size_t(w) + size_t(x + ox)] = 1;
    const Color back = stage->BackColor;
    const std::uint32_t backArgb = IsSystemColor(back) ? 0xFFD4D0C8
                                                       : 0xFF000000u | std::uint32_t(RedOf(back)) << 16 |
                                                             std::uint32_t(GreenOf(back)) << 8 | std::uint32_t(BlueOf(back));
    for (size_t i = 0; i < screen.size(); ++i)
        if (inside[i]) screen[i] = backArgb;
    // The image: each sprite inside its own outline, in painting order.
    for (const auto& s : lastFrame_.image) {
        for (int k = 0; k < s.outlineCount; ++k) {
            const PixelRect& r = s.outline[k];
            for (int py = r.top; py < r.bottom; ++py)
                for (int px = r.left; px < r.right; ++px) {
                    const int x = ox + s.x + px, y = oy + s.y + py;
                    if (x < 0 || y < 0 || x >= w || y >= h || !inside[size_t(y) * size_t(w) + size_t(x)]) continue;
                    screen[size_t(y) * size_t(w) + size_t(x)] = OpaquePixel(s.palette[s.pixels[size_t(py) * size_t(s.width) + size_t(px)]]);
                }
        }
    }
    return screen;
}

}  // namespace q
