#include "core/StateColumns.h"

namespace q {

namespace {

using K = ColumnKind;

constexpr Column NotSet{};
constexpr Column Same{K::Same, {}};
constexpr Column Kept{K::Kept, {}};
constexpr Column Screen{K::Screen, {}};
constexpr Column Packed{K::Packed, {}};
constexpr Column V(std::string_view text) { return {K::Value, text}; }
constexpr Column Copy(std::string_view name) { return {K::Copy, name}; }
constexpr Column Rule(std::string_view text) { return {K::Rule, text}; }

constexpr Column FalseValue = V("False");
constexpr Column TrueValue = V("True");
constexpr Column Zero = V("0");

// name, new game, New Game Plus, saved
constexpr StateColumn kColumns[] = {
    // Clock and calendar
    {"NowTime", V("1"), Same, true},
    {"NowDay", V("1"), Same, true},
    {"NowMonth", V("4"), Same, true},
    {"NowYear", V("3050"), Same, true},
    {"ElapsedYears", NotSet, NotSet, false},

    // The heroine
    {"MyLevel", V("1"), Kept, true},
    {"MyMaxEx", V("30"), Kept, true},
    {"MyNowEx", Zero, Kept, true},
    {"MyMaxHp", V("35"), Kept, true},
    {"MyNowHp", V("35"), Copy("MyMaxHp"), true},
    {"MyMaxBody", V("100"), Kept, true},
    {"MyNowBody", V("100"), Copy("MyMaxBody"), true},
    {"MyMaxWater", V("100"), Kept, true},
    {"MyNowWater", V("100"), Copy("MyMaxWater"), true},
    {"MyFame", V("10"), Same, true},
    {"MyGold", V("300"), Same, true},
    {"MyAt", V("7"), Kept, true},
    {"MyDi", V("5"), Kept, true},
    {"MySp", V("4"), Kept, true},
    {"UpValue", V("2"), Kept, true},
    {"FieldLevel", Zero, Zero, true},
    {"Condition", Zero, Zero, false},
    {"LevelUpPending", NotSet, NotSet, false},
    {"StatDelta", NotSet, NotSet, false},
    {"DieFlg", NotSet, NotSet, false},
    {"HoldFaint", NotSet, NotSet, false},
    {"FaintHeld", NotSet, NotSet, false},
    {"RevivePending", NotSet, NotSet, false},

    // Capacities and counts
    {"NowMaxShop", V("20"), Kept, true},
    {"HaveShop", Zero, Zero, true},
    {"HaveShopNum", Zero, Zero, true},
    {"NowMaxStock", V("30"), Kept, true},
    {"HaveStock", V("3"), V("3"), true},
    {"HaveStockNum", V("6"), V("6"), true},
    {"NowMaxBag", V("20"), Kept, true},
    {"HaveBag", Zero, Zero, true},
    {"HaveBagNum", Zero, Zero, true},
    {"NowMaxSack", V("10"), Kept, true},
    {"HaveSack", V("3"), V("3"), true},
    {"NowRequest", Zero, Zero, true},
    {"WoodNum", Zero, Kept, true},

    // Inventories: the sack starts with three items (never jewels), the
    // warehouse with two each of arms 0, 1 and 2.
    {"MySack", Packed, Same, true},
    {"MySack(0).HHaveSackNo", Zero, Same, true},
    {"MySack(0).HHaveSackNum", V("3"), Same, true},
    {"MySack(0).HHaveGyoku", FalseValue, Same, true},
    {"MySack(1).HHaveSackNo", V("9"), Same, true},
    {"MySack(1).HHaveSackNum", V("1"), Same, true},
    {"MySack(1).HHaveGyoku", FalseValue, Same, true},
    {"MySack(2).HHaveSackNo", V("12"), Same, true},
    {"MySack(2).HHaveSackNum", V("1"), Same, true},
    {"MySack(2).HHaveGyoku", FalseValue, Same, true},
    {"MyBag", Packed, Packed, true},
    {"MyShopArms", Packed, Packed, true},
    {"MyStockArms", Packed, Same, true},
    {"MyStockArms(0).SStockArmsNo", Zero, Same, true},
    {"MyStockArms(0).SStockArmsNum", V("2"), Same, true},
    {"MyStockArms(1).SStockArmsNo", V("1"), Same, true},
    {"MyStockArms(1).SStockArmsNum", V("2"), Same, true},
    {"MyStockArms(2).SStockArmsNo", V("2"), Same, true},
    {"MyStockArms(2).SStockArmsNum", V("2"), Same, true},
    {"MyRequestArms", Packed, Packed, true},

    // Story progress and quest flags
    {"Warasibe", Zero, Zero, true},
    {"ClearFlg", Zero, Zero, true},
    {"AnaSpot", FalseValue, FalseValue, true},
    {"TouSpot", FalseValue, FalseValue, true},
    {"BossOK", FalseValue, FalseValue, true},
    {"ValuableItem(0)", FalseValue, FalseValue, true},
    {"ValuableItem(1)", FalseValue, FalseValue, true},
    {"ValuableItem(2)", FalseValue, Kept, true},  // monster 98 gives valuable 15 only once
    {"SpecialFlg", Zero, Kept, true},
    {"GameCleared", FalseValue, Kept, true},
    {"GyokuFlg", Zero, Zero, true},
    {"FortuneFlg", Zero, Zero, true},
    {"CarpenFlg", Zero, Zero, true},
    {"KajiyaFlg", Zero, Zero, true},
    {"MizuumiFlg", Zero, Zero, true},
    {"NoaFlg", Zero, Zero, true},
    {"GhostFlg", Zero, Zero, true},
    {"BankNumber", Zero, Kept, true},
    {"MegamiFlg", Zero, Zero, true},
    {"TorolFlg", FalseValue, FalseValue, true},
    {"CarpenOrder", Zero, Kept, true},
    {"HaveGyokuNum", Zero, Kept, true},
    {"BuyGyokuNum", V("1"), V("1"), true},
    {"ArmsComplete", NotSet, NotSet, false},

    // The month's incidents and the economy: a new game has a theft or a
    // fire in its first month, New Game Plus has neither.
    {"RobberyDay", Rule("zeroed, then ShopIncident(0) schedules the theft or the fire for a day of the first month"),
     Zero, true},
    {"FireDay", Rule("zeroed, then ShopIncident(0) schedules the theft or the fire for a day of the first month"),
     Zero, true},
    {"EconomyValue", Zero, Zero, true},
    {"CloseOrder", Zero, Zero, true},
    {"OderNG", Zero, Zero, true},

    // Holdings: New Game Plus keeps the land only. A contract's running
    // digit in the file is told from its days; the number beside the days
    // is not written (a load sets it from that digit).
    {"ShopHaveHouse(0).HLHouseNum", Zero, Kept, true},
    {"ShopHaveHouse(0).HLHouseTime", Zero, Kept, true},
    {"ShopHaveHouse(1).HLHouseNum", Zero, Zero, false},
    {"ShopHaveHouse(1).HLHouseTime", Zero, Zero, true},
    {"ShopHaveHouse(2).HLHouseNum", Zero, Zero, false},
    {"ShopHaveHouse(2).HLHouseTime", Zero, Zero, true},
    {"ShopHaveHouse(3).HLHouseNum", Zero, Zero, true},
    {"ShopHaveHouse(3).HLHouseTime", Zero, Zero, true},
    {"ShopHaveHouse(4).HLHouseNum", Zero, Zero, true},
    {"ShopHaveHouse(4).HLHouseTime", Zero, Zero, true},

    // Settings. SpeedInterval and AutoWait are not saved: loading a game
    // sets them from SpeedFlg.
    {"AutoNext", FalseValue, Kept, true},
    {"OnceStop", FalseValue, Kept, true},
    {"Stepping", FalseValue, Kept, true},
    {"FrontFLG", TrueValue, Kept, true},
    {"SpeedFlg", V("1"), Kept, true},
    {"DBUFLG", TrueValue, Kept, true},
    {"MonsNothing", FalseValue, Kept, true},
    {"LeftMode", FalseValue, Kept, false},
    {"AutoNextChange", Zero, Kept, false},
    {"LeftModeChange", Zero, Kept, false},
    {"SpeedInterval", V("500"), Kept, false},
    {"AutoWait", V("2000"), Kept, false},

    // Scene and place. The save file keeps FieldName as one digit for the
    // town or dungeon.
    {"StageForm", NotSet, NotSet, false},
    {"SceneFormName", NotSet, NotSet, false},
    {"FieldName", V("Hanoda"), V("Hanoda"), true},
    {"EventField", V("Shop"), V("Shop"), false},
    {"SavedEventField", NotSet, NotSet, false},
    {"LeftTown", NotSet, NotSet, false},
    {"RightTown", NotSet, NotSet, false},
    {"NowFloor", NotSet, NotSet, false},
    {"RoadPos", NotSet, NotSet, false},
    {"RoadLength", NotSet, NotSet, false},
    {"WalkDir", NotSet, NotSet, false},
    {"ResumeCode", NotSet, NotSet, false},
    {"FacilityFormName", V(""), V(""), false},
    {"ListName", V(""), V(""), false},
    {"ListForm", NotSet, NotSet, false},
    {"ListTop", NotSet, NotSet, false},
    {"ListLeft", NotSet, NotSet, false},
    {"DumpedRows", NotSet, NotSet, false},

    // Sprites and positions on the stage
    {"HeroSprite", NotSet, NotSet, false},
    {"VisitorSprite", NotSet, NotSet, false},
    {"LeaverSprite", V("999999"), V("999999"), false},
    {"LastVisitorSprite", NotSet, NotSet, false},
    {"PlaceSprite", NotSet, NotSet, false},
    {"PlaceSprite2", NotSet, NotSet, false},
    {"HeroX", NotSet, NotSet, false},
    {"VisitorX", NotSet, NotSet, false},
    {"LeaverX", NotSet, NotSet, false},
    {"HeroWalkX", NotSet, NotSet, false},
    {"PlaceX", Zero, Zero, false},
    {"PlaceX2", Screen, Screen, false},
    {"SpriteTop", Screen, Screen, false},
    {"ScreenWidthPx", Screen, Screen, false},
    {"ScreenWidthTwips", Screen, Screen, false},
    {"HeroStep", NotSet, NotSet, false},
    {"VisitorStep", NotSet, NotSet, false},
    {"LeaverStep", NotSet, NotSet, false},
    {"StepWidth", NotSet, NotSet, false},
    {"ExtraStep", NotSet, NotSet, false},
    {"ExtraDir", NotSet, NotSet, false},
    {"StepCount", NotSet, NotSet, false},
    {"ShopPhase", NotSet, NotSet, false},

    // Flags of the run and of the scenes
    {"LoadingGame", FalseValue, Rule("True while InitGame runs, False after"), false},
    {"NewGame", NotSet, Rule("True after the restart"), false},
    {"TimersSuspended", FalseValue, FalseValue, false},
    {"GameEnding", FalseValue, FalseValue, false},
    {"ShopOpen", NotSet, NotSet, false},
    {"ShopEventKind", NotSet, NotSet, false},
    {"CloseRequest", NotSet, NotSet, false},
    {"RobberCame", NotSet, NotSet, false},
    {"HelperPresent", NotSet, NotSet, false},
    {"MenuLocked", NotSet, NotSet, false},
    {"BattlePhase", NotSet, NotSet, false},
    {"EffectResult", NotSet, NotSet, false},
    {"ListConfirm", NotSet, NotSet, false},

    // Results of the lookups
    {"DealArm", NotSet, NotSet, false},
    {"RangeMin", NotSet, NotSet, false},
    {"RangeMax", NotSet, NotSet, false},
    {"AreaEnemyMin", NotSet, NotSet, false},
    {"AreaEnemyMax", NotSet, NotSet, false},
    {"AssistFee", NotSet, NotSet, false},
    {"TravelTime", NotSet, NotSet, false},
    {"TravelTimeText", NotSet, NotSet, false},
    {"FareTown", NotSet, NotSet, false},
    {"CartGoesLeft", NotSet, NotSet, false},

    // The deal with the customer in the shop
    {"CustomerBuys", NotSet, NotSet, false},
    {"HaggleCount", NotSet, NotSet, false},
    {"ArmMissing", NotSet, NotSet, false},
    {"PriceOutrageous", NotSet, NotSet, false},
    {"SpecialPay", NotSet, NotSet, false},
    {"NoRepeat", NotSet, NotSet, false},
    {"LastDealArm", NotSet, NotSet, false},
    {"KeepRequestArms", NotSet, NotSet, false},

    // Field events
    {"BossNo", NotSet, NotSet, false},
    {"ManMode", NotSet, NotSet, false},
    {"ManKind", NotSet, NotSet, false},
    {"AssistFee2", NotSet, NotSet, false},
    {"TravelTime2", NotSet, NotSet, false},
    {"FareTown2", NotSet, NotSet, false},
    {"CartGoesLeft2", NotSet, NotSet, false},
    {"LuckRerolls28", NotSet, NotSet, false},
    {"LuckRerolls18", NotSet, NotSet, false},

    // The number game
    {"GameStake", NotSet, NotSet, false},
    {"GameMax", NotSet, NotSet, false},
    {"GameAnswer", NotSet, NotSet, false},
    {"GameTries", NotSet, NotSet, false},
    {"GameTriesUsed", NotSet, NotSet, false},
    {"GameNear", NotSet, NotSet, false},
    {"GameInputOpen", NotSet, NotSet, false},

    // Counters
    {"EnemyCount", Zero, Zero, true},
    {"EscapeCount", Zero, Zero, true},
    {"DieCount", Zero, Zero, true},
    {"SellCount", Zero, Zero, true},
    {"BuyCount", Zero, Zero, true},
    {"DeclineCount", Zero, Zero, true},
    {"DealingCount", Zero, Zero, true},

    // The enemy of the current battle
    {"EnemyName", NotSet, NotSet, false},
    {"EnemyGold", NotSet, NotSet, false},
    {"EnemyEx", NotSet, NotSet, false},
    {"EnemyNo", NotSet, NotSet, false},
    {"EnemyHp", NotSet, NotSet, false},
    {"EnemyAt", NotSet, NotSet, false},
    {"EnemyDi", NotSet, NotSet, false},
    {"EnemySp", NotSet, NotSet, false},
    {"EnemySkill", NotSet, NotSet, false},
    {"EnemySkillKind", NotSet, NotSet, false},
    {"EnemySkillRate", NotSet, NotSet, false},
    {"EnemyGyokuClass", NotSet, NotSet, false},
    {"DropSlot", NotSet, NotSet, false},
    {"DropNo", NotSet, NotSet, false},
    {"DropClass", NotSet, NotSet, false},
    {"StolenGold", NotSet, NotSet, false},
    {"ActionValue", NotSet, NotSet, false},
    {"EvadeRoll", NotSet, NotSet, false},

    // Story state
    {"StoryName", NotSet, NotSet, false},
    {"StoryNo", Zero, Same, false},
    {"SavedStoryName", NotSet, NotSet, false},
    {"SavedStoryNo", NotSet, NotSet, false},
    {"EventName", NotSet, NotSet, false},
    {"BoardCommand", NotSet, NotSet, false},
    {"EventBusy", NotSet, NotSet, false},
    {"NoClick", NotSet, NotSet, false},
    {"WaitingAnswer", NotSet, NotSet, false},
    {"AnswerKey", NotSet, NotSet, false},
    {"AnswerKey2", NotSet, NotSet, false},
    {"AutoBlocked", NotSet, NotSet, false},
    {"AutoClickPending", NotSet, NotSet, false},
    {"AutoAnswerPending", NotSet, NotSet, false},
    {"ResumePending", NotSet, NotSet, false},
    {"ClickTaken", NotSet, NotSet, false},
    {"KeyInvoked", NotSet, NotSet, false},
    {"WaitStart", NotSet, NotSet, false},
    {"WaitSeconds", NotSet, NotSet, false},
    {"MessageText", NotSet, NotSet, false},
    {"UseSecondBar", NotSet, NotSet, false},
    {"MessageBusy", NotSet, NotSet, false},
    {"MessageLabels", NotSet, NotSet, false},
    {"QuitStoryName", NotSet, NotSet, false},
    {"QuitSavedStoryName", NotSet, NotSet, false},
    {"TopMostBusy", NotSet, NotSet, false},

    // Shared working variables
    {"WorkName", NotSet, NotSet, false},
    {"WorkNum", NotSet, NotSet, false},
    {"WorkNum2", NotSet, NotSet, false},
    {"WorkNum3", NotSet, NotSet, false},
    {"WorkNum4", NotSet, NotSet, false},
    {"WorkIndex", NotSet, NotSet, false},
    {"TempNum", NotSet, NotSet, false},
    {"WorkFlg", NotSet, NotSet, false},
    {"WorkFlg2", NotSet, NotSet, false},
    {"RandHi", NotSet, NotSet, false},
    {"RandLo", NotSet, NotSet, false},
    {"ListIndex", NotSet, NotSet, false},
    {"ListNum", NotSet, NotSet, false},
    {"ListCount", NotSet, NotSet, false},
    {"LastMessage", NotSet, NotSet, false},
    {"EffectMessage", NotSet, NotSet, false},
    {"HeroTurnText", NotSet, NotSet, false},
    {"DealPrice", NotSet, NotSet, false},
    {"DealAccepted", NotSet, NotSet, false},
    {"FameDelta", NotSet, NotSet, false},
    {"SaveFailCount", NotSet, NotSet, false},
    {"CartStep", NotSet, NotSet, false},
    {"RoadForward", NotSet, NotSet, false},
    {"AtBoard", NotSet, NotSet, false},
};

}  // namespace

std::span<const StateColumn> StateColumns() { return kColumns; }

}  // namespace q
