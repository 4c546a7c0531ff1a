// The stage's variables and public procedures, by name, for the simulator.
#include "stage/RegisterStage.h"

#include <charconv>

#include "core/Game.h"
#include "stage/mod_RGN_Proc.h"
#include "stage/mod_RGN_UserFunction.h"

namespace q {

namespace {

std::string Whole(double v) { return FormatValue(Value(static_cast<long long>(v))); }

// A stage form by name. A scene that does not exist yet is played by a bare
// stand-in form of that name, so the stage can be driven before its scenes.
Form& StageNamed(Game& g, const std::string& name) {
    if (name.empty()) throw VarError("name the stage form");
    Form* f = g.FindForm(name);
    if (!f) {
        auto& standIns = Rgn(g).standIns;
        standIns.push_back(std::make_unique<GameForm>(g, name));
        f = standIns.back().get();
        f->Design();
        f->BackColor = vbBlack;
    }
    if (!f->loaded() || !f->Visible) f->Show();
    return *f;
}

// A position argument: a number, or a variable that takes the snapped value.
struct Position {
    double value = 0;
    std::string variable;
};

Position PositionArg(Game& g, const Procs::Args& a, size_t i) {
    const std::string text = Procs::Text(a, i);
    double v = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec == std::errc() && end == text.data() + text.size()) return {v, ""};
    if (!g.vars.has(text)) throw VarError("not a number or a variable: " + text);
    const Value value = g.vars.get(g, text);
    if (auto* n = std::get_if<long long>(&value)) return {double(*n), text};
    if (auto* d = std::get_if<double>(&value)) return {*d, text};
    throw VarError(text + " does not hold a number");
}

}  // namespace

void RegisterStage(Game& g) {
    Vars& v = g.vars;
    v.add("RgnDataLoaded", [](Game& g) -> auto& { return Rgn(g).RgnDataLoaded; });

    Procs& p = g.procs;
    p.add("RGN_InitForm", [](Game& g, const Procs::Args& a) {
        Form& form = StageNamed(g, Procs::Text(a, 0));
        RGN_InitForm(g, form, a.size() > 1 ? Long(Procs::Number(a, 1)) : 1, a.size() > 2 ? Long(Procs::Number(a, 2)) : -1,
                     a.size() > 3 ? Long(Procs::Number(a, 3)) : -1);
        return std::string();
    });
    p.add("RGN_Draw", [](Game& g, const Procs::Args& a) {
        const Long sprite = Long(Procs::Number(a, 0));
        Form& form = StageNamed(g, Procs::Text(a, 1));
        Position x = PositionArg(g, a, 2), y = PositionArg(g, a, 3);
        DrawSprite(g, sprite, form, x.value, y.value);
        if (!x.variable.empty()) g.vars.set(g, x.variable, Value(x.value));
        if (!y.variable.empty()) g.vars.set(g, y.variable, Value(y.value));
        return Whole(x.value) + " " + Whole(y.value);
    });
    p.add("RGN_Apply", [](Game& g, const Procs::Args& a) {
        RGN_Apply(g, StageNamed(g, Procs::Text(a, 0)));
        return std::string();
    });
    p.add("LoadRegionData", [](Game& g, const Procs::Args&) {
        LoadRegionData(g);
        return std::string();
    });
    p.add("RGN_ScreenHeight", [](Game& g, const Procs::Args&) { return std::to_string(RGN_ScreenHeight(g)); });
    p.add("RGN_ForegroundTitle", [](Game& g, const Procs::Args&) { return RGN_ForegroundTitle(g); });
    p.add("RGN_SpriteHeight", [](Game&, const Procs::Args& a) { return std::to_string(RGN_SpriteHeight(Long(Procs::Number(a, 0)))); });
    p.add("RGN_TwipsToPixelX", [](Game& g, const Procs::Args& a) {
        return std::to_string(RGN_TwipsToPixelX(g, std::stod(Procs::Text(a, 0))));
    });
    p.add("RGN_TwipsToPixelY", [](Game& g, const Procs::Args& a) {
        return std::to_string(RGN_TwipsToPixelY(g, std::stod(Procs::Text(a, 0))));
    });
    p.add("RGN_PixelToTwipX", [](Game& g, const Procs::Args& a) {
        return std::to_string(RGN_PixelToTwipX(g, std::stod(Procs::Text(a, 0))));
    });
    p.add("RGN_PixelToTwipY", [](Game& g, const Procs::Args& a) {
        return std::to_string(RGN_PixelToTwipY(g, std::stod(Procs::Text(a, 0))));
    });
}

}  // namespace q
