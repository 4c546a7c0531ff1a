#include "core/Registry.h"

#include "core/Game.h"
#include "core/GoToPlace.h"
#include "core/InitGame.h"
#include "core/KeepOnTop.h"
#include "core/frmMenu.h"
#include "core/Message.h"
#include "core/Rules.h"
#include "core/StoryInput.h"
#include "shop/RegisterShop.h"
#include "town/frmEvent.h"
#include "town/TownSpeech.h"
#include "town/frmItemShop.h"
#include "stage/RegisterStage.h"
#include "save/Ending.h"
#include "save/SaveFile.h"
#include "field/RegisterField.h"
#include "field/OriBattle.h"

#include <tuple>

namespace q {

void RegisterAll(Game& g) {
    RegisterCore(g);
    RegisterData(g);
    RegisterStage(g);
    RegisterRules(g);
    RegisterShop(g);
    RegisterBoardMenu(g);
    RegisterTownTalk(g);
    RegisterFacilities(g);
    RegisterSave(g);
    RegisterField(g);
    RegisterBattle(g);
    RegisterEnding(g);
}

namespace {

template <class A>
constexpr int Count() {
    return int(std::tuple_size_v<A>);
}

// A form reference, spelled by the form's name; the empty text is no form.
Value FormName(const Form* f) { return Value(f ? f->Name() : std::string()); }
Form* FormNamed(Game& g, const Value& v) {
    const std::string name = FormatValue(v);
    if (name.empty()) return nullptr;
    Form* f = g.app.find(name);
    if (!f) throw VarError("no form named " + name);
    return f;
}

// Every variable of the game state, by the name the whole program spells it.
void RegisterGameState(Vars& v) {
#define Q_VAR(n) v.add(#n, [](Game& g) -> auto& { return g.n; })
#define Q_ARRAY(n) \
    v.addArray(#n, 0, Count<decltype(GameState::n)>(), [](Game& g, int i) -> auto& { return g.n[size_t(i)]; })
#define Q_FIELD(n, f) \
    v.addField(#n, #f, 0, Count<decltype(GameState::n)>(), [](Game& g, int i) -> auto& { return g.n[size_t(i)].f; })

    // Clock and calendar
    Q_VAR(NowTime);
    Q_VAR(NowDay);
    Q_VAR(NowMonth);
    Q_VAR(NowYear);
    Q_VAR(ElapsedYears);

    // The heroine
    Q_VAR(MyLevel);
    Q_VAR(MyMaxEx);
    Q_VAR(MyNowEx);
    Q_VAR(MyMaxHp);
    Q_VAR(MyNowHp);
    Q_VAR(MyMaxBody);
    Q_VAR(MyNowBody);
    Q_VAR(MyMaxWater);
    Q_VAR(MyNowWater);
    Q_VAR(MyFame);
    Q_VAR(MyGold);
    Q_VAR(MyAt);
    Q_VAR(MyDi);
    Q_VAR(MySp);
    Q_VAR(UpValue);
    Q_VAR(FieldLevel);
    Q_ARRAY(Condition);
    Q_VAR(LevelUpPending);
    Q_VAR(StatDelta);
    Q_VAR(DieFlg);
    Q_VAR(HoldFaint);
    Q_VAR(FaintHeld);
    Q_VAR(RevivePending);

    // Capacities and counts
    Q_VAR(NowMaxShop);
    Q_VAR(HaveShop);
    Q_VAR(HaveShopNum);
    Q_VAR(NowMaxStock);
    Q_VAR(HaveStock);
    Q_VAR(HaveStockNum);
    Q_VAR(NowMaxBag);
    Q_VAR(HaveBag);
    Q_VAR(HaveBagNum);
    Q_VAR(NowMaxSack);
    Q_VAR(HaveSack);
    Q_VAR(NowRequest);
    Q_VAR(WoodNum);

    // Inventories
    Q_FIELD(MySack, HHaveSackNo);
    Q_FIELD(MySack, HHaveSackNum);
    Q_FIELD(MySack, HHaveGyoku);
    Q_FIELD(MyBag, HHaveBagNo);
    Q_FIELD(MyBag, HHaveBagNum);
    Q_FIELD(MyShopArms, SShopArmsNo);
    Q_FIELD(MyShopArms, SShopArmsNum);
    Q_FIELD(MyStockArms, SStockArmsNo);
    Q_FIELD(MyStockArms, SStockArmsNum);
    Q_FIELD(MyRequestArms, SRequestArmsNo);
    Q_FIELD(MyRequestArms, SRequestArmsNum);
    Q_FIELD(MyRequestArms, SRequestArmsDay);

    // Story progress and quest flags
    Q_VAR(Warasibe);
    Q_VAR(ClearFlg);
    Q_ARRAY(AnaSpot);
    Q_ARRAY(TouSpot);
    Q_ARRAY(BossOK);
    Q_ARRAY(ValuableItem);
    Q_ARRAY(SpecialFlg);
    Q_VAR(GameCleared);
    Q_VAR(GyokuFlg);
    Q_VAR(FortuneFlg);
    Q_VAR(CarpenFlg);
    Q_VAR(KajiyaFlg);
    Q_VAR(MizuumiFlg);
    Q_ARRAY(NoaFlg);
    Q_ARRAY(GhostFlg);
    Q_VAR(BankNumber);
    Q_VAR(MegamiFlg);
    Q_VAR(TorolFlg);
    Q_ARRAY(CarpenOrder);
    Q_VAR(HaveGyokuNum);
    Q_ARRAY(GyokuReward);
    Q_VAR(BuyGyokuNum);
    Q_VAR(ArmsComplete);
    Q_VAR(HaveArmsNum);
    Q_VAR(ClearRecordFailed);
    Q_VAR(NumberFileFailed);

    // The month's incidents and the economy
    Q_ARRAY(RobberyDay);
    Q_ARRAY(FireDay);
    Q_VAR(EconomyValue);
    Q_VAR(CloseOrder);
    Q_VAR(OderNG);

    // Holdings
    Q_FIELD(ShopHaveHouse, HLHouseNum);
    Q_FIELD(ShopHaveHouse, HLHouseTime);

    // Settings
    Q_VAR(AutoNext);
    Q_VAR(OnceStop);
    Q_VAR(Stepping);
    Q_VAR(FrontFLG);
    Q_VAR(SpeedFlg);
    Q_VAR(DBUFLG);
    Q_VAR(MonsNothing);
    Q_VAR(LeftMode);
    Q_VAR(AutoNextChange);
    Q_VAR(LeftModeChange);
    Q_VAR(SpeedInterval);
    Q_VAR(AutoWait);

    // Scene and place
    v.addComputed(
        "StageForm", [](Game& g) { return FormName(g.StageForm); },
        [](Game& g, const Value& x) { g.StageForm = FormNamed(g, x); });
    Q_VAR(SceneFormName);
    Q_VAR(FieldName);
    Q_VAR(EventField);
    Q_VAR(SavedEventField);
    Q_VAR(LeftTown);
    Q_VAR(RightTown);
    Q_VAR(NowFloor);
    Q_VAR(RoadPos);
    Q_VAR(RoadLength);
    Q_VAR(WalkDir);
    Q_ARRAY(ResumeCode);
    Q_VAR(FacilityFormName);
    Q_VAR(ListName);
    v.addComputed(
        "ListForm", [](Game& g) { return FormName(g.ListForm); },
        [](Game& g, const Value& x) { g.ListForm = FormNamed(g, x); });
    Q_VAR(ListTop);
    Q_VAR(ShopArmsSel);
    Q_VAR(BagSel);
    Q_VAR(SackSel);
    Q_VAR(KeepSelCount);
    Q_VAR(DumpedRows);
    Q_VAR(ListLeft);

    // Sprites and positions on the stage
    Q_VAR(HeroSprite);
    Q_VAR(VisitorSprite);
    Q_VAR(LeaverSprite);
    Q_VAR(LastVisitorSprite);
    Q_VAR(PlaceSprite);
    Q_VAR(PlaceSprite2);
    Q_VAR(HeroX);
    Q_VAR(VisitorX);
    Q_VAR(LeaverX);
    Q_VAR(HeroWalkX);
    Q_VAR(PlaceX);
    Q_VAR(PlaceX2);
    Q_VAR(SpriteTop);
    Q_VAR(ScreenWidthPx);
    Q_VAR(ScreenWidthTwips);
    Q_VAR(HeroStep);
    Q_VAR(VisitorStep);
    Q_VAR(LeaverStep);
    Q_VAR(StepWidth);
    Q_VAR(ExtraStep);
    Q_VAR(ExtraDir);
    Q_VAR(StepCount);
    Q_VAR(ShopPhase);

    // Flags of the run and of the scenes
    Q_VAR(LoadingGame);
    Q_VAR(NewGame);
    Q_VAR(TimersSuspended);
    Q_VAR(GameEnding);
    Q_VAR(QuitAutoBlocked);
    Q_VAR(QuitStoryNo);
    Q_VAR(QuitNoClick);
    Q_VAR(RepeatDeal);
    Q_VAR(ReloadList);
    Q_VAR(OfferPending);
    Q_VAR(BuyPending);
    Q_VAR(EconomyFactor);
    Q_VAR(WorkName2);
    Q_VAR(ExitOffer);
    Q_VAR(KeyListText);
    Q_VAR(ListRow);
    Q_VAR(ShopOpen);
    Q_VAR(ShopEventKind);
    Q_VAR(CloseRequest);
    Q_VAR(RobberCame);
    Q_VAR(HelperPresent);
    Q_VAR(MenuLocked);
    Q_VAR(BattlePhase);
    Q_VAR(EffectResult);
    Q_VAR(ListConfirm);

    // Results of the lookups
    Q_VAR(DealArm);
    Q_VAR(RangeMin);
    Q_VAR(RangeMax);
    Q_VAR(AreaEnemyMin);
    Q_VAR(AreaEnemyMax);
    Q_VAR(AssistFee);
    Q_VAR(TravelTime);
    Q_VAR(TravelTimeText);
    Q_VAR(FareTown);
    Q_VAR(CartGoesLeft);

    // The deal with the customer in the shop
    Q_VAR(CustomerBuys);
    Q_VAR(HaggleCount);
    Q_VAR(ArmMissing);
    Q_VAR(PriceOutrageous);
    Q_VAR(SpecialPay);
    Q_VAR(NoRepeat);
    Q_VAR(LastDealArm);
    Q_FIELD(KeepRequestArms, SRequestArmsNo);
    Q_FIELD(KeepRequestArms, SRequestArmsNum);
    Q_FIELD(KeepRequestArms, SRequestArmsDay);

    // Field events
    Q_VAR(BossNo);
    Q_VAR(ManMode);
    Q_VAR(ManKind);
    Q_VAR(AssistFee2);
    Q_VAR(TravelTime2);
    Q_VAR(FareTown2);
    Q_VAR(CartGoesLeft2);
    Q_VAR(LuckRerolls28);
    Q_VAR(LuckRerolls18);

    // The number game
    Q_VAR(GameStake);
    Q_VAR(GameMax);
    Q_VAR(GameAnswer);
    Q_VAR(GameTries);
    Q_VAR(GameTriesUsed);
    Q_VAR(GameNear);
    Q_VAR(GameInputOpen);

    // Counters
    Q_VAR(EnemyCount);
    Q_VAR(EscapeCount);
    Q_VAR(DieCount);
    Q_VAR(SellCount);
    Q_VAR(BuyCount);
    Q_VAR(DeclineCount);
    Q_VAR(DealingCount);

    // The enemy of the current battle
    Q_VAR(EnemyName);
    Q_VAR(EnemyGold);
    Q_VAR(EnemyEx);
    Q_VAR(EnemyNo);
    Q_VAR(EnemyHp);
    Q_VAR(EnemyAt);
    Q_VAR(EnemyDi);
    Q_VAR(EnemySp);
    Q_VAR(EnemySkill);
    Q_VAR(EnemySkillKind);
    Q_VAR(EnemySkillRate);
    Q_VAR(EnemyGyokuClass);
    Q_VAR(DropSlot);
    Q_VAR(DropNo);
    Q_VAR(DropClass);
    Q_VAR(StolenGold);
    Q_VAR(ActionValue);
    Q_VAR(EvadeRoll);

    // Story state
    Q_VAR(StoryName);
    Q_VAR(StoryNo);
    Q_VAR(SavedStoryName);
    Q_VAR(SavedStoryNo);
    Q_VAR(EventName);
    Q_VAR(BoardCommand);
    Q_VAR(EventBusy);
    Q_VAR(NoClick);
    Q_VAR(WaitingAnswer);
    Q_VAR(AnswerKey);
    Q_VAR(AnswerKey2);
    Q_VAR(AutoBlocked);
    Q_VAR(AutoClickPending);
    Q_VAR(AutoAnswerPending);
    Q_VAR(ResumePending);
    Q_VAR(ClickTaken);
    Q_VAR(KeyInvoked);
    Q_VAR(WaitStart);
    Q_VAR(WaitSeconds);
    Q_VAR(MessageText);
    Q_VAR(UseSecondBar);
    Q_VAR(MessageBusy);
    Q_VAR(MessageLabels);
    Q_VAR(QuitStoryName);
    Q_VAR(QuitSavedStoryName);
    Q_VAR(TopMostBusy);

    // Shared working variables
    Q_VAR(WorkName);
    Q_VAR(WorkNum);
    Q_VAR(WorkNum2);
    Q_VAR(WorkNum3);
    Q_VAR(WorkNum4);
    Q_VAR(WorkIndex);
    Q_VAR(TempNum);
    Q_VAR(WorkFlg);
    Q_VAR(WorkFlg2);
    Q_VAR(RandHi);
    Q_VAR(RandLo);
    Q_VAR(ListIndex);
    Q_VAR(ListNum);
    Q_VAR(ListCount);
    Q_VAR(LastMessage);
    Q_VAR(EffectMessage);
    Q_VAR(HeroTurnText);
    Q_VAR(DealPrice);
    Q_VAR(DealAccepted);
    Q_VAR(FameDelta);
    Q_VAR(SaveFailCount);
    Q_VAR(CartStep);
    Q_VAR(RoadForward);
    Q_VAR(AtBoard);

#undef Q_VAR
#undef Q_ARRAY
#undef Q_FIELD
}

}  // namespace

void RegisterCore(Game& g) {
    RegisterGameState(g.vars);

    g.SetHandler("QuitStory", [&g](Long) { QuitStory(g); });
    g.SetHandler("ShowPopupMenu", [&g](Long) { ShowPopupMenu(g); });
    RegisterMenuCommands(g);

    Procs& p = g.procs;
    p.add("ShowMessage", [](Game& g, const Procs::Args& a) {
        std::string text = a.size() > 0 ? a[0] : "", yes = a.size() > 1 ? a[1] : "", no = a.size() > 2 ? a[2] : "";
        bool def = a.size() > 3 ? Procs::Truth(a, 3) : true;
        ShowMessage(g, text, yes, no, def);
        return std::string();
    });
    p.add("GoToPlace", [](Game& g, const Procs::Args& a) {
        GoToPlace(g, Procs::Text(a, 0), Procs::Text(a, 1), Procs::Text(a, 2), Procs::Text(a, 3));
        return std::string();
    });
    p.add("DrawGauges", [](Game& g, const Procs::Args&) {
        DrawGauges(g);
        return std::string();
    });
    p.add("InitGame", [](Game& g, const Procs::Args&) {
        InitGame(g);
        return std::string();
    });
    p.add("QuitStory", [](Game& g, const Procs::Args&) {
        QuitStory(g);
        return std::string();
    });
    p.add("KeepOnTop", [](Game& g, const Procs::Args& a) {
        KeepOnTop(g, Procs::Truth(a, 0));
        return std::string();
    });
    p.add("MessageInput", [](Game& g, const Procs::Args& a) {
        MessageInput(g, int(Procs::Number(a, 0)), int(Procs::Number(a, 1)), int(Procs::Number(a, 2)));
        return std::string();
    });
    p.add("KeyToClick", [](Game& g, const Procs::Args& a) {
        KeyToClick(g, int(Procs::Number(a, 0)), a.size() > 1 ? int(Procs::Number(a, 1)) : 0);
        return std::string();
    });
    p.add("AutoAdvanceWait", [](Game& g, const Procs::Args&) {
        AutoAdvanceWait(g);
        return std::string();
    });
    p.add("AdvanceStory", [](Game& g, const Procs::Args& a) {
        AdvanceStory(g, int(Procs::Number(a, 0)));
        return std::string();
    });
}

}  // namespace q
