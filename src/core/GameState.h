// The module-level variables of the game: everything a game consists of,
// under the names the whole program uses. They live for the whole run in
// one Game object. At program start every one is 0, the empty text, False
// or no form; InitGame gives them their new-game values.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace q {

using Long = std::int32_t;
using Integer = std::int32_t;  // held wider than 16 bits; every value fits

class Form;

// Codes shared by every subsystem.
constexpr Long NoSprite = 999999;          // no sprite to draw
constexpr Long CustomerGone = 99999999;    // a customer who has left
constexpr Long VisitorLeft = CustomerGone; // the same code, as the shop calls it
constexpr Long NoRecipeMaterial = 99999;   // a recipe's empty material, the collector's missing reward
constexpr Long NoArmDrop = 9999;           // a monster that carries no arm
constexpr Long NoItemFound = 999;          // a field step that yields no item

// Steps of a story with a fixed meaning.
constexpr Long StoryWaitNo = 300000;     // parked at a question
constexpr Long StoryEndNo = 999999;      // the story is over
constexpr Long StoryAfterEndNo = 1000000;
constexpr Long StoryOverflowNo = 99999999;

// Answers to a question, as the key code that gave them.
constexpr Long AnswerNone = 0;
constexpr Long AnswerYes = 89;
constexpr Long AnswerNo = 78;
constexpr Long AnswerEnter = 13;
constexpr Long AnswerGo = 71;

// The click gate of AdvanceStory.
constexpr Long NoClickNone = 0;
constexpr Long NoClickLeft = 1;
constexpr Long NoClickRight = 2;
constexpr Long NoClickAll = 3;
constexpr Long NoClickAuto = 4;

// Key codes the game tests.
constexpr int vbKeyReturn = 13;
constexpr int vbKeyEscape = 27;
constexpr int vbKeyApps = 93;
constexpr int vbKeyF5 = 116;
constexpr int vbKeyG = 71;
constexpr int vbKeyN = 78;
constexpr int vbKeyY = 89;

// The heroine's conditions: the elements of Condition.
constexpr int CondPoison = 0;
constexpr int CondParalysis = 1;
constexpr int CondBlindness = 2;
constexpr int CondCurse = 3;
constexpr int CondFastWalk = 4;
constexpr int CondNoEncounter = 5;
constexpr int CondNoHunger = 6;
constexpr int CondNoThirst = 7;
constexpr int CondLantern = 8;

// The fixed rows of ShopHaveHouse.
constexpr int HouseLand = 0;        // HLHouseTime 1 when owned
constexpr int HouseTheftGuard = 1;  // HLHouseTime days left
constexpr int HouseFireGuard = 2;   // HLHouseTime days left
constexpr int HouseShares = 3;      // HLHouseNum shares held
constexpr int HouseBank = 4;        // HLHouseNum balance, negative a debt

// Game speed (SpeedFlg).
constexpr Long SpeedFast = 0;
constexpr Long SpeedNormal = 1;
constexpr Long SpeedSlow = 2;

// The month's economy (EconomyValue).
constexpr Long EconomyStable = 0;
constexpr Long EconomySlump = 1;
constexpr Long EconomyBoom = 2;

// State of the month's theft or fire: element 1 of RobberyDay and FireDay.
constexpr Long IncidentScheduled = 0;
constexpr Long IncidentSettled = 1;
constexpr Long IncidentPrevented = 2;
constexpr Long IncidentHappened = 3;

// The smith (KajiyaFlg) and the fortune teller (FortuneFlg).
constexpr Long KajiyaClosed = 0;  // wants wood
constexpr Long KajiyaOpen = 1;
constexpr Long KajiyaNoahShoes = 2;
constexpr Long KajiyaShoesSold = 3;
constexpr Long FortuneFinished = 6;

// Changes the settings window leaves for the scenes to apply.
constexpr Long AutoNextNoChange = 0;
constexpr Long AutoNextTurnOff = 1;
constexpr Long AutoNextTurnOn = 2;
constexpr Long LeftModeNoChange = 0;
constexpr Long LeftModeTurnOn = 1;
constexpr Long LeftModeTurnOff = 2;

// How the next scene load resumes: element 0 of ResumeCode.
constexpr Long ResumeNone = 0;
constexpr Long ResumeWarp = 1;              // back into a dungeon floor
constexpr Long ResumeFainted = 2;           // fainted in the field, carried home
constexpr Long ResumeCorridor = 3;          // into the endless corridor
constexpr Long ResumeCorridorSwitch = 4;    // the corridor switch under way
constexpr Long ResumeDungeonSwitch = 10;    // the dungeon switch under way

// The customer phase of the shop clock (ShopPhase).
constexpr Long ShopIdle = 0;
constexpr Long ShopCustomerChosen = 10;
constexpr Long ShopWalkingIn = 11;
constexpr Long ShopArrived = 20;
constexpr Long ShopTalking = 21;
constexpr Long ShopLeaving = 30;

// Shop events (ShopEventKind).
constexpr Long ShopEventNone = 0;
constexpr Long ShopEventRobber = 1;
constexpr Long ShopEventRoyalOrder = 5;
constexpr Long ShopEventCollection = 10;
constexpr Long ShopEventSwordsman = 20;

// Closing the shop (CloseRequest).
constexpr Long CloseNone = 0;
constexpr Long CloseAfterCustomer = 1;
constexpr Long CloseClosing = 2;

// Whose turn it is in a battle (BattlePhase).
constexpr Long BattleNone = 0;
constexpr Long BattleHero = 1;
constexpr Long BattleEnemy = 2;

// The outcome of the last item used (EffectResult).
constexpr Long EffectUsed = 0;
constexpr Long EffectCart = 1;
constexpr Long EffectEscape = 2;
constexpr Long EffectLevelUp = 3;
constexpr Long EffectCallEnemy = 4;
constexpr Long EffectToEntrance = 5;
constexpr Long EffectNotUsed = 999;

// Entries of the inventories. Each inventory is a packed list: entries 0 up
// to its used count less one are valid, the rest hold stale contents.
struct SackEntry {
    Long HHaveSackNo = 0;      // item 0-42, or jewel 0-99 when HHaveGyoku
    Long HHaveSackNum = 0;     // pieces, 1 to 9
    bool HHaveGyoku = false;   // the entry holds a monster jewel
};

struct BagEntry {
    Long HHaveBagNo = 0;  // arm
    Long HHaveBagNum = 0;
};

struct ShopArmsEntry {
    Long SShopArmsNo = 0;  // arm
    Long SShopArmsNum = 0;
};

struct StockArmsEntry {
    Long SStockArmsNo = 0;  // arm
    Long SStockArmsNum = 0;
};

struct RequestArmsEntry {
    Long SRequestArmsNo = 0;   // the ordered arm
    Long SRequestArmsNum = 0;  // the ordered quantity
    Long SRequestArmsDay = 0;  // days left: 0 due today, below 0 overdue; -2 is never lowered
};

// A row of the heroine's holdings (ShopHaveHouse, rows House*).
struct Holding {
    Long HLHouseNum = 0;
    Long HLHouseTime = 0;
};

struct GameState {
    // --- Clock and calendar ---
    Long NowTime = 0;       // time of day, 100 units to a day
    Long NowDay = 0;        // 1..29
    Long NowMonth = 0;
    Long NowYear = 0;
    Long ElapsedYears = 0;  // whole years since 3050/4/1, for the clear ranking

    // --- The heroine ---
    Long MyLevel = 0;
    Long MyMaxEx = 0;  // experience the next level needs; 0 at level 99
    Long MyNowEx = 0;
    Long MyMaxHp = 0;
    Long MyNowHp = 0;
    Long MyMaxBody = 0;  // fullness
    Long MyNowBody = 0;
    Long MyMaxWater = 0;
    Long MyNowWater = 0;
    Long MyFame = 0;
    Long MyGold = 0;
    Long MyAt = 0;
    Long MyDi = 0;
    Long MySp = 0;
    Long UpValue = 0;     // growth bonus of a level-up
    Long FieldLevel = 0;  // which of her three sprite sets draws her
    std::array<Long, 9> Condition{};  // turns left of each condition (Cond*), 0 = off
    bool LevelUpPending = false;      // a level-up still to be announced
    Long StatDelta = 0;               // what the last AddStat really applied
    bool DieFlg = false;              // the faint is being played
    bool HoldFaint = false;           // a faint now waits for the event just begun
    bool FaintHeld = false;           // a faint waits for the event's story to end
    bool RevivePending = false;       // the branch of life revives her when the time step returns

    // --- Capacities and counts ---
    Long NowMaxShop = 0;  // shop display capacity, in pieces
    Long HaveShop = 0;    // entries used in MyShopArms
    Long HaveShopNum = 0; // pieces on display
    Long NowMaxStock = 0;
    Long HaveStock = 0;
    Long HaveStockNum = 0;
    Long NowMaxBag = 0;
    Long HaveBag = 0;
    Long HaveBagNum = 0;
    Long NowMaxSack = 0;  // sack capacity, in entries (kinds)
    Long HaveSack = 0;
    Long NowRequest = 0;  // royal orders held in MyRequestArms
    Long WoodNum = 0;     // wood handed to the carpenter

    // --- Inventories ---
    std::array<SackEntry, 51> MySack{};
    std::array<BagEntry, 151> MyBag{};
    std::array<ShopArmsEntry, 500> MyShopArms{};
    std::array<StockArmsEntry, 500> MyStockArms{};
    std::array<RequestArmsEntry, 5> MyRequestArms{};

    // --- Story progress and quest flags ---
    Long Warasibe = 0;                  // the main story stage, 0..12
    Long ClearFlg = 0;                  // sub-step of the current town quest
    std::array<bool, 30> AnaSpot{};     // cave floor 10 * (i + 1) reached; (29) also: the ending was played
    std::array<bool, 10> TouSpot{};     // tower floor 10 * (i + 1) reached
    std::array<bool, 13> BossOK{};
    std::array<bool, 3> ValuableItem{}; // monsters 96, 97, 98 have given their valuable
    std::array<Long, 2> SpecialFlg{};   // two special encounters on the road
    bool GameCleared = false;
    Long GyokuFlg = 0;     // the jewel collector has been met
    Long FortuneFlg = 0;
    Long CarpenFlg = 0;    // 1: the carpenter keeps the wood
    Long KajiyaFlg = 0;    // the smith (Kajiya*)
    Long MizuumiFlg = 0;   // above 0: the lake is known
    std::array<Long, 7> NoaFlg{};  // (0)-(5) the Noah pieces; (6) the Noah and castle story
    std::array<Long, 2> GhostFlg{};
    Long BankNumber = 0;   // the next gift stage for share holders
    Long MegamiFlg = 0;    // the lake goddess
    bool TorolFlg = false; // the troll has been told of
    std::array<Long, 3> CarpenOrder{};  // pending work: kind, shop and warehouse capacity it adds
    Long HaveGyokuNum = 0; // jewel kinds handed to the collector
    std::array<Long, 3> GyokuReward{};  // the collector's reward under way: number, kind, sack entry
    Long BuyGyokuNum = 0;  // 1 while today's surprise jewel is on sale
    Long ArmsComplete = 0; // 500 when every arm is listed, else 0
    Long HaveArmsNum = 0;  // arms listed when the last clear record was written
    bool ClearRecordFailed = false;  // the last clear record could not be written
    bool NumberFileFailed = false;   // the last number file could not be written

    // --- The month's incidents and the economy ---
    std::array<Long, 2> RobberyDay{};  // (0) day of the month's theft, (1) its state (Incident*)
    std::array<Long, 2> FireDay{};     // the same for the fire
    Long EconomyValue = 0;
    Long CloseOrder = 0;  // royal orders due today
    Long OderNG = 0;      // royal orders overdue

    // --- Holdings ---
    std::array<Holding, 5> ShopHaveHouse{};

    // --- Settings ---
    bool AutoNext = false;
    bool OnceStop = false;   // the heroine stands still in the field
    bool Stepping = false;   // the heroine steps in place in the field
    bool FrontFLG = false;   // keep the game's windows in front
    Long SpeedFlg = 0;
    bool DBUFLG = false;     // ask before dumping or using goods
    bool MonsNothing = false;  // the complete card: no wandering monsters
    bool LeftMode = false;   // the heroine walks to the left in the field
    Long AutoNextChange = 0; // left for the scenes to apply (AutoNext*)
    Long LeftModeChange = 0; // left for the scenes to apply (LeftMode*)
    Long SpeedInterval = 0;  // scene clock interval in ms
    Long AutoWait = 0;       // ms before auto mode advances

    // --- Scene and place ---
    Form* StageForm = nullptr;  // the scene form every stage frame is drawn on
    std::string SceneFormName;
    std::string FieldName;      // town, road or dungeon key
    std::string EventField;     // the place inside the area
    std::string SavedEventField;  // EventField kept while a board event fights
    std::string LeftTown;
    std::string RightTown;
    Long NowFloor = 0;
    bool ExitOffer = false;  // the dungeon exit has been offered on this floor
    Long RoadPos = 0;
    Long RoadLength = 0;
    Long WalkDir = 0;  // -1 or 1
    std::array<Long, 2> ResumeCode{};  // (0) how the next scene load resumes (Resume*), (1) where
    std::string FacilityFormName;
    std::string ListName;      // the open list window's form name
    Form* ListForm = nullptr;  // the open list window
    Long ListTop = 0;
    Long ShopArmsSel = 0;  // remembered selections of the display, bag and sack windows
    Long BagSel = 0;
    Long SackSel = 0;
    Long KeepSelCount = 0;  // rows to reselect after a partial dump
    std::vector<Long> KeepSel;  // those rows, counted from 1; as many as a dump leaves
    Long DumpedRows = 0;    // rows the running dump has removed so far
    Long ListLeft = 0;

    // --- Sprites and positions on the stage (twips) ---
    Long HeroSprite = 0;
    Long VisitorSprite = 0;      // the figure facing the heroine
    Long LeaverSprite = 0;       // a customer walking away
    Long LastVisitorSprite = 0;  // the next customer is never the same
    Long PlaceSprite = 0;        // scenery at the left edge
    Long PlaceSprite2 = 0;       // scenery at the right edge
    Long HeroX = 0;
    Long VisitorX = 0;
    Long LeaverX = 0;
    Long HeroWalkX = 0;  // the heroine's x kept between moving frames
    Long PlaceX = 0;
    Long PlaceX2 = 0;
    Long SpriteTop = 0;  // the one top line of every stage sprite
    Long ScreenWidthPx = 0;
    Long ScreenWidthTwips = 0;
    Long HeroStep = 0;  // walk phases 1..4
    Long VisitorStep = 0;
    Long LeaverStep = 0;
    double StepWidth = 0;  // one road position
    double ExtraStep = 0;  // the extra step of the fast-walking shoes
    Long ExtraDir = 0;     // WalkDir kept for that extra step
    Long StepCount = 0;    // steps toward the next clock unit
    Long ShopPhase = 0;    // the customer phase of the shop clock (Shop*)

    // --- Flags of the run and of the scenes ---
    bool LoadingGame = false;      // a saved game is entered, or New Game Plus starts
    bool NewGame = false;          // the opening is still to be played
    bool TimersSuspended = false;  // every scene clock tick returns at once
    bool GameEnding = false;       // quitting was chosen
    bool QuitAutoBlocked = false;  // AutoBlocked when the quit question was asked
    Long QuitStoryNo = 0;          // the step of the story the quit question interrupted
    Long QuitNoClick = 0;          // the click gate of that story
    bool ShopOpen = false;
    Long ShopEventKind = 0;
    Long RepeatDeal = 0;           // the customer makes a second deal
    Long CloseRequest = 0;
    bool RobberCame = false;       // since the shop was opened
    bool HelperPresent = false;    // the hired swordsman keeps the shop
    bool MenuLocked = false;       // the popup menu's commands are disabled
    Long BattlePhase = 0;
    Long EffectResult = 0;         // the last item effect (Effect*)
    bool ListConfirm = false;      // a list window waits for a confirmation

    // --- Results of the lookups ---
    Long DealArm = 0;
    Long RangeMin = 0;
    Long RangeMax = 0;
    Long AreaEnemyMin = 0;
    Long AreaEnemyMax = 0;
    Long AssistFee = 0;   // a fare: the cart's, or the priest's fee
    Long TravelTime = 0;  // clock units
    std::string TravelTimeText;
    std::string FareTown;
    bool CartGoesLeft = false;

    // --- The deal with the customer in the shop ---
    bool CustomerBuys = false;     // he buys from the shop (else he sells to it)
    Long HaggleCount = 0;          // his bids: haggles of a buyer, pleas of a seller
    bool ArmMissing = false;       // the arm he wants is not on display
    bool PriceOutrageous = false;  // he refuses the price whatever happens
    Long SpecialPay = 0;           // 1 the soldier pays part, 2 the swordsman gives his arm
    bool NoRepeat = false;         // no second deal with this customer
    Long LastDealArm = 0;          // the arm of the first deal, not named again in the second
    std::array<RequestArmsEntry, 5> KeepRequestArms{};  // royal orders kept while a collection runs

    // --- Field events ---
    Long BossNo = 0;          // the boss of the running boss story
    Long ManMode = 0;         // 0 the person talks, 1 buys an arm, 2 sells one
    Long ManKind = 0;         // who is met on the road, 0-9; 999999 none
    Long AssistFee2 = 0;      // the cart horn's second destination: its fare,
    Long TravelTime2 = 0;     // its journey,
    std::string FareTown2;    // its name ("" for none)
    bool CartGoesLeft2 = false;
    Long LuckRerolls28 = 0;   // extra draws of an arm already given by valuable 28
    Long LuckRerolls18 = 0;   // and by valuable 18

    // --- The number game ---
    Long GameStake = 0;       // the stake; after a hit, the prize
    Long GameMax = 0;         // the largest number
    Long GameAnswer = 0;
    Long GameTries = 0;       // guesses allowed
    Long GameTriesUsed = 0;
    Long GameNear = 0;        // the width of the near hints
    bool GameInputOpen = false;  // the next guess is taken

    // --- Counters ---
    Long EnemyCount = 0;
    Long EscapeCount = 0;
    Long DieCount = 0;
    Long SellCount = 0;  // customers who sold an arm to the shop
    Long BuyCount = 0;   // customers who bought an arm from the shop
    Long DeclineCount = 0;
    Long DealingCount = 0;  // deals with demons

    // --- The enemy of the current battle ---
    std::string EnemyName;
    Long EnemyGold = 0;
    Long EnemyEx = 0;
    Long EnemyNo = 0;          // its row of AllMonster; the robber and the clerk leave it as it was
    Long EnemyHp = 0;
    Long EnemyAt = 0;
    Long EnemyDi = 0;
    Long EnemySp = 0;
    std::string EnemySkill;    // the name of its special attack
    Long EnemySkillKind = 0;   // 0 none
    Long EnemySkillRate = 0;   // how often it is tried: 0 often, 1 less, 2 rarely, 3 the robber and the clerk
    Long EnemyGyokuClass = 0;  // how rarely its jewel drops, 0..2
    Long DropSlot = 0;         // this fight's drop: 0 none, 1 an item, 2 an arm
    Long DropNo = 0;
    Long DropClass = 0;        // how rarely it drops, 0..2
    Long StolenGold = 0;       // taken by the enemy, won back with the victory
    Long ActionValue = 0;      // the present action's amount, or how the fight ended
    Long EvadeRoll = 0;        // the evasion roll of the present action

    // --- Story state ---
    std::string StoryName;
    Long StoryNo = 0;
    std::string SavedStoryName;
    Long SavedStoryNo = 0;
    std::string EventName;
    std::string BoardCommand;
    bool EventBusy = false;
    Long NoClick = 0;
    bool WaitingAnswer = false;
    Long AnswerKey = 0;
    Long AnswerKey2 = 0;
    bool AutoBlocked = false;
    bool AutoClickPending = false;
    bool AutoAnswerPending = false;
    bool ResumePending = false;
    bool ClickTaken = false;
    bool KeyInvoked = false;
    std::int64_t WaitStart = 0;  // wall clock in ms when the timed wait began
    Long WaitSeconds = 0;
    std::string MessageText;
    bool UseSecondBar = false;
    bool MessageBusy = false;
    Long MessageLabels = 0;
    std::string QuitStoryName;
    std::string QuitSavedStoryName;
    bool TopMostBusy = false;

    // --- Shared working variables: scratch, no state between operations ---
    std::string WorkName;
    Long WorkNum = 0;
    Long WorkNum2 = 0;
    Long WorkNum3 = 0;
    Long WorkNum4 = 0;
    Long WorkIndex = 0;  // the entry the last SackCheck found
    Long TempNum = 0;
    bool WorkFlg = false;
    bool WorkFlg2 = false;
    Long RandHi = 0;  // bounds of the shared roll
    Long RandLo = 0;
    Long ListIndex = 0;
    Long ListNum = 0;    // the pieces a list window's command uses or throws away
    Long ListCount = 0;  // selected rows counted by a list window
    std::string LastMessage;  // the scene's idle line
    std::string EffectMessage;
    std::string HeroTurnText;
    Long DealPrice = 0;
    bool DealAccepted = false;
    Long FameDelta = 0;
    Integer SaveFailCount = 0;
    Long CartStep = 0;
    bool RoadForward = false;
    bool AtBoard = false;
    bool ReloadList = false;    // a list window is rebuilt when the board comes back
    bool OfferPending = false;  // a facility's offer or its keeper's talk waits for the next click
    bool BuyPending = false;    // the facility's button started a turn that the keeper's clicks continue
    double EconomyFactor = 0;   // the facilities' price factor of the month: 1.0, 0.9 or 1.1
    std::string WorkName2;      // the key of the cart's destination
    std::string KeyListText;    // the complete card's description while it works
    Long ListRow = 0;           // the row of a list that was double-clicked
};

}  // namespace q
