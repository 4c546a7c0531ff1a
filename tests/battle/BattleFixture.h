// A new game's heroine on the road to Rein, for the battle's suites: level 1,
// 35 HP, attack 7, defence 5, speed 4, 300 Karim. Chances are scripted; the
// stories a fight hands back to record the step they were called at.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/InitGame.h"
#include "core/RulesFixture.h"
#include "core/StoryInput.h"
#include "field/ItemEffects.h"
#include "field/OriBattle.h"

namespace q::test {

class BattleTest : public RulesTest {
protected:
    BattleTest() {
        InitGame(g());
        g().SceneFormName = "frmField";
        g().FieldName = "HanoMori";
        g().LeftTown = "Hanoda";
        g().RightTown = "Rein";
        g().RoadLength = 200;
        g().RoadPos = 10;
        g().AreaEnemyMin = 0;
        g().AreaEnemyMax = 13;
        g().NowTime = 10;
        g().VisitorSprite = NoSprite;
        for (const char* h : {"frmShop.EventStart", "frmEvent.BoardEvent", "frmField.BossTurn"}) {
            g().SetHandler(h, [this, h](Long) {
                Record(h);
                handedBack.emplace_back(h, g().StoryNo);
            });
        }
    }

    // An enemy before her and her question open, as after the opening line.
    void Facing(const std::string& name, Long hp, Long at, Long di, Long sp) {
        g().EnemyName = name;
        g().EnemyHp = hp;
        g().EnemyAt = at;
        g().EnemyDi = di;
        g().EnemySp = sp;
        g().EnemySkill = "なし";
        g().EnemySkillKind = 0;
        g().EnemySkillRate = 0;
        g().EventBusy = true;
        g().BattlePhase = BattleHero;
        g().StoryName = "HeroTurn";
        g().StoryNo = 0;
        g().WaitingAnswer = true;
        g().HeroTurnText = name + "が現れた！";
    }
    // Her question answered: "戦う" (Y) or "逃げる" (N).
    void Answer(int key) { KeyToClick(g(), key); }
    // A plain click on the stage.
    void Click() { AdvanceStory(g(), vbLeftButton); }
    // The enemy's turn comes: the click after her line, with no poison.
    void EnemyTurn() {
        g().StoryName = "MonsterTurn";
        g().StoryNo = 0;
        g().BattlePhase = BattleEnemy;
        g().WaitingAnswer = false;
        Click();
    }

    // Scripts exactly these chances, as Draws does for a list in braces.
    void Script(const std::vector<double>& us) {
        for (double u : us) g().rng.Queue(u);
        NoDraws();
    }

    std::string Line(int i = 0) { return g().frmUnderMes->LBLMessage[size_t(i)].Caption; }

    std::vector<std::pair<std::string, Long>> handedBack;
};

}  // namespace q::test
