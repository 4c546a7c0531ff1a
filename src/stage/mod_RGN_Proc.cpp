#include "stage/mod_RGN_Proc.h"

#include <algorithm>
#include <charconv>

#include "core/Game.h"
#include "core/GoToPlace.h"
#include "forms/Form.h"
#include "stage/frm_RGN_Picture.h"
#include "stage/mod_RGN_UserFunction.h"

namespace q {

namespace {

// The table has a record for every sprite number and one more that no
// sprite fills.
constexpr int TableSize = SpriteCount + 1;

// "handle,mode"
struct FrameTag {
    long handle = 0;
    Long mode = 1;
};

FrameTag ParseTag(const std::string& tag) {
    FrameTag t;
    const char* p = tag.data();
    const char* end = p + tag.size();
    auto r = std::from_chars(p, end, t.handle);
    if (r.ec != std::errc()) t.handle = 0;
    const char* comma = std::find(p, end, ',');
    if (comma != end) {
        Long mode = 1;
        if (std::from_chars(comma + 1, end, mode).ec == std::errc()) t.mode = mode;
    }
    return t;
}

std::string MakeTag(long handle, Long mode) { return std::to_string(handle) + "," + std::to_string(mode); }

bool ValidSprite(Long sprite) { return sprite >= 0 && sprite < SpriteCount; }

}  // namespace

RegionEngine::RegionEngine() : RgnData(TableSize) {}
RegionEngine::~RegionEngine() = default;

RegionEngine& Rgn(Game& g) { return *g.rgn; }

void UnionOfOutlines(const std::vector<PlacedOutline>& parts, std::vector<PixelRect>& out, UnionScratch& s) {
    out.clear();
    s.edges.clear();
    s.cursors.clear();
    for (const auto& p : parts) {
        if (!p.record || p.record->rects.empty()) continue;
        s.cursors.push_back({p.record, p.dx, p.dy, 0});
        const auto& rects = p.record->rects;
        for (size_t i = 0; i < rects.size(); ++i)
            if (i == 0 || rects[i].top != rects[i - 1].top) {
                s.edges.push_back(rects[i].top + p.dy);
                s.edges.push_back(rects[i].bottom + p.dy);
            }
    }
    std::sort(s.edges.begin(), s.edges.end());
    s.edges.erase(std::unique(s.edges.begin(), s.edges.end()), s.edges.end());

    size_t prevStart = 0, prevCount = 0;  // the last band written to `out`
    int prevBottom = 0;
    for (size_t e = 0; e + 1 < s.edges.size(); ++e) {
        const int top = s.edges[e], bottom = s.edges[e + 1];
        // Every outline's runs that cover this slab.
        s.spans.clear();
        for (auto& c : s.cursors) {
            const auto& rects = c.record->rects;
            while (c.next < rects.size() && rects[c.next].bottom + c.dy <= top) ++c.next;
            for (size_t i = c.next; i < rects.size() && rects[i].top == rects[c.next].top; ++i)
                if (rects[i].top + c.dy <= top) s.spans.push_back({rects[i].left + c.dx, 0, rects[i].right + c.dx, 0});
        }
        if (s.spans.empty()) {
            prevCount = 0;
            continue;
        }
        std::sort(s.spans.begin(), s.spans.end(), [](const PixelRect& a, const PixelRect& b) { return a.left < b.left; });
        // Merge touching and overlapping runs.
        size_t n = 0;
        for (size_t i = 1; i < s.spans.size(); ++i) {
            if (s.spans[i].left <= s.spans[n].right) s.spans[n].right = std::max(s.spans[n].right, s.spans[i].right);
            else s.spans[++n] = s.spans[i];
        }
        const size_t runs = n + 1;
        bool same = prevCount == runs && prevBottom == top;
        for (size_t i = 0; same && i < runs; ++i)
            same = out[prevStart + i].left == s.spans[i].left && out[prevStart + i].right == s.spans[i].right;
        if (same) {
            for (size_t i = 0; i < runs; ++i) out[prevStart + i].bottom = bottom;
        } else {
            prevStart = out.size();
            prevCount = runs;
            for (size_t i = 0; i < runs; ++i) out.push_back({s.spans[i].left, top, s.spans[i].right, bottom});
        }
        prevBottom = bottom;
    }
}

void LoadRegionData(Game& g) {
    RegionEngine& e = Rgn(g);
    const PictureSet& pictures = frm_RGN_Picture::Get();
    for (const auto& error : pictures.Errors()) g.host.Log("sprite pictures: " + error);
    e.RgnData.resize(TableSize);
    for (int n = 0; n < SpriteCount; ++n) {
        OutlineOf(pictures.pPicture(n), e.RgnData[size_t(n)]);
        // The table is kept to the end of the run: no room to spare in it.
        e.RgnData[size_t(n)].rects.shrink_to_fit();
        e.tallest = std::max(e.tallest, pictures.pPicture(n).height);
    }
    e.RgnData[SpriteCount] = RegionRecord{};
    ++e.tableFills;
}

namespace {

// The form's image and window shape go to the host.
void SendFrame(Game& g, Form& form, const RegionEngine::FormStage& stage) {
    RegionEngine& e = Rgn(g);
    const PictureSet& pictures = frm_RGN_Picture::Get();
    e.frameImage.clear();
    for (const auto& p : stage.image) {
        const SpritePicture& pic = pictures.pPicture(p.sprite);
        const RegionRecord& rec = e.RgnData[size_t(p.sprite)];
        e.frameImage.push_back({p.sprite, p.x, p.y, pic.width, pic.height, pic.index.data(), pic.palette.data(), rec.rects.data(), int(rec.rects.size())});
    }
    g.host.StageFrameReady(form, StageFrame{stage.window, e.frameImage});
}

}  // namespace

void InitRegionForm(Game& g, Form& form, Long mode, Long width, Long height) {
    RegionEngine& e = Rgn(g);
    if (!e.RgnDataLoaded) {
        LoadRegionData(g);
        e.RgnDataLoaded = true;
    }
    // A frame that was drawn but never applied is dropped with its region.
    if (const long old = ParseTag(form.Tag).handle) e.regions.erase(old);
    form.Tag = MakeTag(0, mode);
    // The stage spans the work area from the screen's top down to the bar:
    // a panel at the left or right narrows it, one at the top is left alone.
    form.Left = RGN_WorkLeft(g);
    form.Top = 0;
    form.Width = width == -1 ? RGN_WorkWidth(g) : width;
    form.Height = height == -1 ? RGN_ScreenHeight(g) : height;
    e.forms[&form].image.clear();
    TellStageRows(g, form);
}

void TellStageRows(Game& g, Form& form) {
    const int top = RGN_TwipsToPixelY(g, double(g.SpriteTop));
    g.host.StageRows(form, top - GaugeRowPixels, top + Rgn(g).tallest);
}

void MoveStageImage(Game& g, Form& form, int dx, int dy) {
    RegionEngine& e = Rgn(g);
    auto it = e.forms.find(&form);
    if (it == e.forms.end()) return;
    auto& stage = it->second;
    for (auto& p : stage.image) p.x += dx, p.y += dy;
    for (auto& r : stage.window) r.left += dx, r.right += dx, r.top += dy, r.bottom += dy;
    if (auto h = e.regions.find(ParseTag(form.Tag).handle); h != e.regions.end())
        for (auto& o : h->second) o.dx += dx, o.dy += dy;
    if (form.loaded() && !stage.window.empty()) SendFrame(g, form, stage);
}

std::vector<Form*> StageForms(Game& g) {
    std::vector<Form*> out;
    for (auto& [form, stage] : Rgn(g).forms) out.push_back(const_cast<Form*>(form));
    return out;
}

void DrawSprite(Game& g, Long sprite, Form& form, double& x, double& y) {
    x = RGN_PixelToTwipX(g, double(RGN_TwipsToPixelX(g, x)));
    y = RGN_PixelToTwipY(g, double(RGN_TwipsToPixelY(g, y)));
    RegionEngine& e = Rgn(g);
    if (!ValidSprite(sprite)) {
        g.host.Log("sprite " + std::to_string(sprite) + " does not exist; nothing drawn");
        return;
    }
    const RegionRecord& record = e.RgnData[size_t(sprite)];
    if (!record.IsRegion()) {
        g.host.Log("sprite " + std::to_string(sprite) + " has no outline; nothing drawn");
        return;
    }
    const int px = RGN_TwipsToPixelX(g, x), py = RGN_TwipsToPixelY(g, y);
    const FrameTag tag = ParseTag(form.Tag);

    // The sprite's region joins the frame's: the new handle holds both.
    const long handle = e.nextHandle++;
    auto& outlines = e.regions[handle];
    if (tag.handle != 0) {
        if (auto old = e.regions.find(tag.handle); old != e.regions.end()) {
            outlines = std::move(old->second);
            e.regions.erase(old);
        }
    }
    outlines.push_back({&record, px, py});

    auto& stage = e.forms[&form];
    if (tag.handle == 0) stage.image.clear();  // the first sprite since the last apply
    stage.image.push_back({sprite, px, py});
    form.Tag = MakeTag(handle, tag.mode);
}

void ApplyRegion(Game& g, Form& form) {
    RegionEngine& e = Rgn(g);
    const FrameTag tag = ParseTag(form.Tag);
    auto& stage = e.forms[&form];
    // The window takes the frame's region; an empty frame shows nothing.
    if (auto h = e.regions.find(tag.handle); tag.handle != 0 && h != e.regions.end()) {
        UnionOfOutlines(h->second, stage.window, e.scratch);
        e.regions.erase(h);
    } else {
        stage.window.clear();
    }
    e.lastApplied = &form;
    SendFrame(g, form, stage);

    form.Tag = MakeTag(0, tag.mode);
    g.host.DoEvents();
}

Integer GetSpriteHeight(Long sprite) {
    if (!ValidSprite(sprite)) return 0;
    return Integer(frm_RGN_Picture::Info(sprite).height * 15);
}

Form* RegionFormAt(Game& g, int x, int y) {
    RegionEngine& e = Rgn(g);
    for (auto& [form, stage] : e.forms) {
        if (!form->loaded() || !form->Visible) continue;
        // Only the part of the region inside the window takes clicks.
        const int tx = std::max(1, g.host.TwipsPerPixelX()), ty = std::max(1, g.host.TwipsPerPixelY());
        if (x < form->Left / tx || y < form->Top / ty || x >= (form->Left + form->Width) / tx || y >= (form->Top + form->Height) / ty)
            continue;
        // The region lies on the form; the click is on the screen.
        const int fx = x - form->Left / tx, fy = y - form->Top / ty;
        for (const auto& r : stage.window)
            if (fx >= r.left && fx < r.right && fy >= r.top && fy < r.bottom) return const_cast<Form*>(form);
    }
    return nullptr;
}

const std::vector<PixelRect>& WindowRegion(Game& g, const Form& form) {
    static const std::vector<PixelRect> none;
    RegionEngine& e = Rgn(g);
    auto it = e.forms.find(&form);
    return it == e.forms.end() ? none : it->second.window;
}

}  // namespace q
