#include "core/Registry.h"

#include "core/Game.h"
#include "core/Message.h"
#include "core/StoryInput.h"

namespace q {

void RegisterAll(Game& g) { RegisterCore(g); RegisterData(g); }

void RegisterCore(Game& g) {
    Vars& v = g.vars;
    v.add("StoryName", [](Game& g) -> auto& { return g.StoryName; });
    v.add("StoryNo", [](Game& g) -> auto& { return g.StoryNo; });
    v.add("NoClick", [](Game& g) -> auto& { return g.NoClick; });
    v.add("WaitingAnswer", [](Game& g) -> auto& { return g.WaitingAnswer; });
    v.add("AnswerKey", [](Game& g) -> auto& { return g.AnswerKey; });
    v.add("AnswerKey2", [](Game& g) -> auto& { return g.AnswerKey2; });
    v.add("UseSecondBar", [](Game& g) -> auto& { return g.UseSecondBar; });
    v.add("MessageBusy", [](Game& g) -> auto& { return g.MessageBusy; });
    v.add("MessageLabels", [](Game& g) -> auto& { return g.MessageLabels; });
    v.add("ClickTaken", [](Game& g) -> auto& { return g.ClickTaken; });
    v.add("EnemyName", [](Game& g) -> auto& { return g.EnemyName; });
    v.add("FieldName", [](Game& g) -> auto& { return g.FieldName; });
    v.add("EventName", [](Game& g) -> auto& { return g.EventName; });
    v.add("EventField", [](Game& g) -> auto& { return g.EventField; });
    v.add("SceneFormName", [](Game& g) -> auto& { return g.SceneFormName; });
    v.add("ScreenWidthTwips", [](Game& g) -> auto& { return g.ScreenWidthTwips; });

    Procs& p = g.procs;
    p.add("ShowMessage", [](Game& g, const Procs::Args& a) {
        std::string text = a.size() > 0 ? a[0] : "", yes = a.size() > 1 ? a[1] : "", no = a.size() > 2 ? a[2] : "";
        bool def = a.size() > 3 ? Procs::Truth(a, 3) : true;
        ShowMessage(g, text, yes, no, def);
        return std::string();
    });
    p.add("AdvanceStory", [](Game& g, const Procs::Args& a) {
        AdvanceStory(g, int(Procs::Number(a, 0)));
        return std::string();
    });
}

}  // namespace q
