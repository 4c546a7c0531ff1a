#include "sim/SoakCoverage.h"

#include "core/Game.h"
#include "core/frmOpen.h"
#include "sim/SimHost.h"
#include "sim/Soak.h"
#include "sim/SoakStarts.h"

namespace q::soak {

namespace {

// The windows that are neither a scene, a bar nor the title.
bool IsWindow(const Game& g, const Form& f) {
    static const char* const others[] = {"frmOpen", "frmUnderMes", "frmUnderMes2", "frmUnderMes3",
                                         "frmShop", "frmEvent",    "frmField",     "frmMenu", "frmBoard"};
    if (&f == g.StageForm) return false;
    for (const char* name : others)
        if (f.Name() == name) return false;
    return true;
}

}  // namespace

std::string Depth(const std::string& dungeon, long floor) {
    // The cave goes down to floor 300, the tower up to floor 100: a third of either.
    const long most = dungeon == "Shinen" ? 300 : 100;
    const char* depth = floor * 3 < most ? "shallow" : floor * 3 < most * 2 ? "middle" : "deep";
    return "floor:" + dungeon + "-" + depth;
}

void Coverage::BeforeLine(Game&, SimHost& host, const std::string& line) {
    if (line.rfind("menu ", 0) != 0) return;
    const MenuItem* open = host.OpenMenu();
    std::string caption = line.substr(5);
    if (caption.size() >= 2 && caption.front() == '"') caption = caption.substr(1, caption.size() - 2);
    Mark((open && open->path().rfind("frmBoard", 0) == 0 ? "board:" : "menu:") + caption);
}

void Coverage::AfterLine(Game& g) {
    if (g.NowYear == 0) return;  // no game yet
    if (!g.StoryName.empty()) Mark("story:" + g.StoryName);
    if (!g.EventField.empty()) Mark("place:" + g.EventField);
    if (!g.FieldName.empty()) Mark("area:" + g.FieldName);
    if (!g.EventName.empty()) Mark("event:" + g.EventName);
    Mark("stage:" + std::to_string(g.Warasibe));
    if (g.SceneFormName == "frmField" && (g.FieldName == "Shinen" || g.FieldName == "Tou"))
        Mark(Depth(g.FieldName, long(g.RoadPos)));
    for (Form* f : g.app.Forms()) {
        if (!f->loaded() || !f->Visible || !IsWindow(g, *f)) continue;
        Mark(f->Name() == "frmItemShop" ? "facility:" + g.EventField : "window:" + f->Name());
    }
    if (g.ListConfirm && g.WaitingAnswer) Mark("question:" + g.ListName);
    if (g.GameCleared) Mark("cleared");
    if (g.StoryName == "BossTurn") Mark("boss-met:" + std::to_string(g.BossNo));
    // The fights' ends, told by the counters of won, fled and fainted
    // fights; and every boss beaten.
    if (known_ && !onRoad_) {
        if (g.EnemyCount > won_) Mark("fight:won");
        if (g.EscapeCount > fled_) Mark("fight:fled");
        if (g.DieCount > fainted_) Mark("fight:fainted");
        for (size_t i = 0; i < bosses_.size(); ++i)
            if (g.BossOK[i] && !bosses_[i]) Mark("boss:" + std::to_string(i));
    }
    // From the title the game is a new one or one continued from a file,
    // with the counters and bosses of the game that was saved.
    known_ = g.StageForm != static_cast<Form*>(g.frmOpen.peek());
    won_ = long(g.EnemyCount);
    fled_ = long(g.EscapeCount);
    fainted_ = long(g.DieCount);
    bosses_ = g.BossOK;
}

void Report::Add(const std::string& start, const Outcome& run) {
    PerStart& p = starts_[start];
    ++p.runs;
    if (run.started || start == "title") ++p.played;
    p.inputs += run.inputs;
    p.hours += double(run.virtualMs) / 3600000.0;
    p.idleHours += double(run.idleMs) / 3600000.0;
    for (const auto& [key, n] : run.reached) {
        p.reached.insert(key);
        reached_[key] += n;
    }
}

void Report::Print(std::ostream& out) const {
    for (const auto& [name, p] : starts_) {
        out << "start " << name << " runs " << p.runs << " played " << p.played << " inputs " << p.inputs << " hours "
            << p.hours << " idle " << p.idleHours << " places " << p.reached.size() << "\n";
        if (const StartPoint* s = FindStart(name))
            for (const auto& key : s->places)
                out << "target " << name << " " << key << (p.reached.count(key) ? " hit" : " missed") << "\n";
    }
    for (const auto& [key, n] : reached_) out << "reached " << key << " " << n << "\n";
    for (const auto& [name, p] : starts_)
        if (p.played == 0) out << "NEVER PLAYED " << name << ": every run stopped on its road\n";
}

long Report::Unplayed() const {
    long n = 0;
    for (const auto& [name, p] : starts_) n += p.played == 0;
    return n;
}

}  // namespace q::soak
