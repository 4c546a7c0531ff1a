#include "sim/SoakStarts.h"

#include <algorithm>
#include <sstream>

namespace q::soak {

namespace {

// ---------------------------------------------------------------------------
// Pieces of road. Each is simulator text, one command a line.

// A new game, its opening clicked through: she stands in her closed shop.
std::string Opening() {
    std::string s = "click frmOpen.cmdStart\nwait 10\n";
    for (int i = 0; i < 18; ++i) s += "key G\n";
    return s + "wait 400\nexpect bar イザベラ：さて、何をしようかしら\n";
}

// Her growth: levels up to `level`, one at a time as the experience item
// gives them (the game's own growth draws her HP and strength).
std::string Grown(int level) {
    std::string s;
    for (int l = 1; l < level; ++l) s += "set EffectResult 3\ncall GainExp\n";
    return s + "set LevelUpPending False\nexpect MyLevel " + std::to_string(level) + "\n";
}

// The level a heroine has when she stands at a story stage: the fights
// that won her the bosses barring the way to it made her strong enough
// for them, and for the monsters of the places it opens. (At stage 1 she
// is as a new game leaves her.)
int StageLevel(int warasibe) {
    static const int levels[] = {1, 1, 20, 25, 28, 32, 40, 62, 64, 66, 68, 75, 85};
    return levels[std::min(warasibe, 12)];
}

// How far the story has gone. A long game's progress is set, not played:
// the story stage and what the heroine must have done to stand there (the
// bosses that bar the roads to it, the smith opened by the wood she
// brought, the queen's errand, the fortune teller's rescue), with the
// money that much play earns. Every other variable stays as a new game leaves it, which play
// can keep as long as it likes.
std::string Stage(int warasibe, long gold = 30000) {
    std::string s = "set Warasibe " + std::to_string(warasibe) + "\n";
    if (warasibe >= 2) s += "set BossOK(0) True\n";
    if (warasibe >= 5) s += warasibe >= 12 ? "set KajiyaFlg 3\n" : "set KajiyaFlg 1\n";
    if (warasibe >= 6) s += "set BossOK(2) True\n";
    if (warasibe >= 8) s += "set BossOK(7) True\n";
    // Stage 9 sends her after the kidnapped fortune teller; the boss of the
    // cave's floor 39 frees her (FortuneFlg 4) before the queen's report
    // brings stage 10.
    if (warasibe == 9) s += "set FortuneFlg 3\n";
    if (warasibe >= 10) s += "set FortuneFlg 4\nset BossOK(3) True\nset BossOK(4) True\n";
    // The fortune teller's story begins with the queen's errand, so from
    // stage 9 on the queen has asked for the Noah pieces (given again, her
    // talk would send the story back to its start). Stage 12 is her news of
    // the demon: the six pieces found (the shoes bought at the smith's) and
    // handed to her for the pocket watch, the wedge still to be found.
    if (warasibe >= 9 && warasibe < 12) s += "set NoaFlg(6) 1\n";
    if (warasibe >= 12) {
        static const int noahArms[] = {460, 480, 481, 482, 483, 484};
        for (int piece = 0; piece < 6; ++piece)
            s += "set NoaFlg(" + std::to_string(piece) + ") 1\nset AllArms(" + std::to_string(noahArms[piece]) +
                 ").LArmsList True\n";
        s += "set AllKey(14).LKeyList True\nset NoaFlg(6) 20\n";
    }
    s += "set MyGold " + std::to_string(gold) + "\n";
    if (StageLevel(warasibe) > 1) s += Grown(StageLevel(warasibe));
    return s;
}

// A late game: the money and the fame years of play earn.
std::string Late() { return "set MyGold 900000\nset MyFame 6000\n"; }

// From the shop to the board of `town`, the town she last came home from.
std::string Board(const std::string& town = "Hanoda") {
    std::string s = town == "Hanoda" ? "" : "set FieldName " + town + "\n";
    return s + "key Apps\nmenu 看板へ\nexpect EventField Board\nexpect FieldName " + town + "\n";
}

// A board menu item that opens a facility.
std::string Facility(const std::string& caption, const std::string& key) {
    return "key Apps\nmenu " + caption + "\nexpect EventField " + key + "\n";
}

// A road out of the town whose board she stands on.
std::string Road(const std::string& caption, const std::string& area) {
    return "key Apps\nmenu " + caption + "\nexpect SceneFormName frmField\nexpect FieldName " + area + "\n";
}

// Walked on from the start of a road to `to`, a step every other tick, on
// ticks whose draws bring nothing to meet.
std::string Walk(int to) {
    std::string s;
    for (int step = 1; step < to; ++step) s += "draws 0.7\nwait 500\ndraws 0.7\nwait 500\n";
    return s + "expect RoadPos " + std::to_string(to) + "\nexpect StoryName \"\"\n";
}

// The cave's or the tower's warp points down (up) to floor `floor`,
// reached on earlier walks, and the warp to it from the dungeon's board.
std::string Warp(const std::string& dungeon, int floor) {
    const std::string spot = dungeon == "Shinen" ? "AnaSpot" : "TouSpot";
    std::string s;
    for (int i = 0; i < floor / 10; ++i) s += "set " + spot + "(" + std::to_string(i) + ") True\n";
    s += Board(dungeon);
    s += "key Apps\nmenu ワープ\nexpect EventField Warp\n";
    s += "select frmItemShop.lstList " + std::to_string(floor / 10) + "\nclick frmItemShop.cmdBuy\nkey Y\n";
    return s + "expect SceneFormName frmField\nexpect FieldName " + dungeon + "\n";
}

// Stairs taken on from floor `from` to floor `to` of the dungeon she walks
// (down the cave, up the tower): each tick's draw finds the stairs, and she
// answers that she goes.
std::string Stairs(int from, int to) {
    std::string s;
    for (int floor = from + 1; floor <= to; ++floor)
        s += "draws 0.1\nwait 600\nexpect StoryName NextFloor\nkey G\nkey Y\nkey G\nexpect NowFloor " +
             std::to_string(floor) + "\n";
    return s;
}

// The floor bosses beaten above (below) a floor of the cave and the tower.
std::string FloorBosses(const std::string& dungeon, int floor) {
    struct B { const char* dungeon; int floor; int boss; };
    static const B bosses[] = {{"Shinen", 15, 3}, {"Shinen", 39, 4}, {"Shinen", 199, 10}, {"Tou", 49, 8}, {"Tou", 99, 9}};
    std::string s;
    for (const auto& b : bosses)
        if (dungeon == b.dungeon && b.floor < floor) s += "set BossOK(" + std::to_string(b.boss) + ") True\n";
    return s;
}

// The last boss beaten on floor 299, and the ending after it: the warp
// puts her on that floor with the fight won (the last-boss start plays it).
std::string Ending() {
    return Opening() + Stage(12) + FloorBosses("Shinen", 300) +
           "set FieldName Shinen\nset BossOK(11) True\nset ResumeCode(0) 1\nset ResumeCode(1) 299\n"
           "call GoToPlace Board \"\" \"\" \"\"\nunload frmEvent\nwait 500\nexpect StoryName EndingSpeech\n";
}

// The ending to its end, the cleared game saved to file 1, and that game
// continued: the world after the clear, on the board of the cave.
std::string Cleared() {
    std::string s = Ending();
    for (int i = 0; i < 35; ++i) s += "key G\n";
    s += "key Enter\n";
    for (int i = 0; i < 4; ++i) s += "key G\n";
    s += "expect GameCleared True\nkey Y\nkey G\nkey G\nkey G\n";
    s += "restart\nseed 5\nstart\nclick frmOpen.cmdContinue(1)\nexpect GameCleared True\nexpect EventField Board\n";
    return s;
}

// A person of the park chosen and talked to until the question, answered Y.
std::string ParkTalk(int row, int lines) {
    std::string s = "key Apps\nmenu 広場\nexpect EventField Park\nselect frmItemShop.lstList " + std::to_string(row) +
                    "\nclick frmItemShop.cmdBuy\n";
    for (int i = 0; i < lines; ++i) s += "key G\n";
    return s + "key Y\n";
}

// The item shop's goods bought nine at a time until the sack is full.
std::string FullSack() {
    std::string s = Facility("道具屋", "Item");
    for (int row = 1; row <= 12; ++row)
        s += "select frmItemShop.lstList " + std::to_string(row) +
             "\ntype frmItemShop.txtNumber 9\nclick frmItemShop.cmdBuy\nkey G\nkey Y\nkey G\n";
    return s + "expect HaveSack 10\n";
}

// The sack's window opened (Shift+9) with its first two rows selected.
std::string SackRowsSelected() { return "key 9 +Shift\nselect frmSack.lstList 1 2\nexpect frmSack.Visible True\n"; }

// The bag filled with arms found on the way, one piece each.
std::string FullBag() {
    std::string s;
    for (int arm = 3; arm < 23; ++arm) s += "call BagChange " + std::to_string(arm) + " 0 False 1\n";
    return s + "expect HaveBagNum 20\n";
}

// The shop opened at a fame that brings the king's soldiers, and the next
// visit drawn: `kind` picks it (0.025 the royal order, 0.04 the swordsman).
std::string ShopVisit(const std::string& kind) {
    return "set MyFame 4000\nkey Apps\nmenu 開店\nexpect ShopOpen True\ndraws 0.1 0.9 0.5 " + kind + "\nwait 500\n";
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) out.push_back(line);
    return out;
}

std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

struct Row {
    const char* name;
    const char* note;
    std::string road;
    const char* places;
};

std::vector<StartPoint> Build() {
    const std::string late = "a late game's money and fame are set";
    const Row rows[] = {
        // The title, as the program opens: every run of the table plays it
        // at least once, whatever sessions its restarts take.
        {"title", "", "", "story:ShopBuySell"},
        // The shop and Hanoda.
        {"shop", "", Opening(), "story:ShopBuySell menu:開店 menu:寝る"},
        // Days without food or drink in the open shop, in auto mode: she
        // faints on the tick that brings a customer to the door.
        {"shop-faint", "the fame of a long game; hungry, thirsty and weak; the tick's draws bring a customer",
         Opening() + "set MyFame 9999\nset MyNowBody 0\nset MyNowWater 0\nkey Apps\nmenu 開店\nexpect ShopOpen True\nkey A\n"
             "set MyNowHp 1\nset StepCount 11\ndraws 0.9 0.1 0.17 0.5\nwait 600\nexpect DieFlg True\n",
         "story:GameOver"},
        {"hanoda", "stage 1", Opening() + Stage(1) + Board(),
         "facility:Item facility:Cart facility:Bank facility:House facility:Mania facility:Park area:HanoMori"},
        {"hanoda-late", "stage 8, late money and fame", Opening() + Stage(8) + Late() + Board(),
         "facility:Item facility:Cart facility:Bank area:HanoSiro"},
        {"item-shop", "stage 1", Opening() + Stage(1) + Board() + Facility("道具屋", "Item"), "facility:Item"},
        {"full-sack-bag", "stage 1; the bag filled with arms, poisoned (as a monster's blow does)",
         Opening() + Stage(1, 100000) + Board() + FullSack() + FullBag() + "set Condition(0) 5\n",
         "facility:Item window:frmSack window:frmBag"},
        // Questions that stand while the sack is full of rows to select:
        // the item shop's purchase, and the bank's deposit under its button.
        // The sack's window is open beside them with two rows selected, as
        // one selects rows to throw away.
        {"item-shop-asks", "stage 1; the sack filled at the item shop, four of its first pieces used; a purchase asked",
         Opening() + Stage(1, 100000) + Board() + FullSack() + "set MySack(0).HHaveSackNum 5\n" +
             "select frmItemShop.lstList 1\nclick frmItemShop.cmdBuy\nwait 1000\nclick frmUnderMes.LBLMessage(0)\n"
             "wait 1000\n" + SackRowsSelected() + "expect WaitingAnswer True\n",
         "facility:Item window:frmSack"},
        {"bank-full-sack", "stage 8, late money; the sack filled at the item shop",
         Opening() + Stage(8) + Late() + Board() + FullSack() + Board() + Facility("銀行", "Bank") + SackRowsSelected(),
         "facility:Bank window:frmSack"},
        {"estate-agent", "stage 8, late money", Opening() + Stage(8) + Late() + Board() + Facility("不動産屋", "House"),
         "facility:House"},
        {"collector", "stage 8, late money", Opening() + Stage(8) + Late() + Board() + Facility("玉回収業者", "Mania"),
         "facility:Mania"},
        {"bank", "stage 8, late money", Opening() + Stage(8) + Late() + Board() + Facility("銀行", "Bank"), "facility:Bank"},
        {"cart", "stage 8", Opening() + Stage(8) + Board() + Facility("馬車屋", "Cart"), "facility:Cart"},
        {"park-hanoda", "stage 1", Opening() + Stage(1) + Board() + Facility("広場", "Park"), "facility:Park"},
        // Rein, Elwind and Amulet.
        {"rein", "stage 4", Opening() + Stage(4) + Board("Rein"), "facility:Smith area:MoriElf area:HanoMori"},
        {"smith", "stage 5", Opening() + Stage(5) + Board("Rein") + Facility("鍛冶屋", "Smith"), "facility:Smith"},
        {"elwind", "stage 6", Opening() + Stage(6) + Board("Elwind"),
         "facility:Hotel facility:Item facility:Cart facility:Bank facility:Park area:ElfAna area:MoriElf"},
        {"hotel", "stage 6", Opening() + Stage(6) + Board("Elwind") + Facility("宿屋", "Hotel"), "facility:Hotel"},
        {"park-elwind", "stage 6", Opening() + Stage(6) + Board("Elwind") + Facility("広場", "Park"), "facility:Park"},
        {"amulet", "stage 10, late money and fame", Opening() + Stage(10) + Late() + Board("Amulet"),
         "facility:Hotel facility:Carpenter facility:Fortune facility:Park place:Siro area:SiroTou area:HanoSiro"},
        {"carpenter", "stage 10, late money", Opening() + Stage(10) + Late() + Board("Amulet") + Facility("大工屋", "Carpenter"),
         "facility:Carpenter"},
        // Her crystal ball found and handed back, she tells fortunes, but
        // no water of the lake has been drawn for one yet: each is refused.
        {"fortune-teller", "stage 10, late money; the crystal ball handed back",
         Opening() + Stage(10) + Late() + "set MizuumiFlg 1\nset FortuneFlg 6\n" + Board("Amulet") + Facility("占いの館", "Fortune"),
         "facility:Fortune"},
        {"development-room", "stage 10, late money; every arm owned once (the complete collection)",
         Opening() + Stage(10) + Late() + [] {
             std::string s;
             for (int arm = 0; arm < 500; ++arm) s += "set AllArms(" + std::to_string(arm) + ").LArmsList True\n";
             return s;
         }() + Board("Amulet") + Facility("開発室", "Kaihatsu"),
         "facility:Kaihatsu"},
        {"castle", "stage 8", Opening() + Stage(8) + Board("Amulet") + "key Apps\nmenu 城内\nexpect EventField Siro\n", "place:Siro"},
        {"lake-guardian", "stage 6; the lake known (the park's talk)",
         Opening() + Stage(6) + "set MizuumiFlg 1\n" + Board("Elwind") + "key Apps\nmenu 潤沢湖\nexpect EventField Umi\n",
         "place:Umi story:HeroTurn"},
        // Quitting asked over the guardian's talk: the answer is the quit
        // question's, and the talk goes on under a No.
        {"lake-quit", "stage 6; the lake known (the park's talk)",
         Opening() + Stage(6) + "set MizuumiFlg 1\n" + Board("Elwind") +
             "key Apps\nmenu 潤沢湖\nexpect EventField Umi\nkey Apps\nmenu 終了\nexpect GameEnding True\n",
         "place:Umi story:VBEnd"},
        {"lake", "stage 8; the lake known and its guardian beaten",
         Opening() + Stage(8) + "set MizuumiFlg 1\nset BossOK(6) True\n" + Board("Elwind") +
             "key Apps\nmenu 潤沢湖\nexpect EventField Umi\n",
         "place:Umi"},
        // Every road.
        // The first road's boss bars the way to Rein until she is strong enough
        // for it: she has grown on the road's own fights.
        {"road-hanomori", "stage 1; the level of many walks on the first road; the walk's draws bring nothing until near its end",
         Opening() + Stage(1) + Grown(25) + Board() + Road("レインウッド", "HanoMori") + Walk(185),
         "area:HanoMori area:Rein"},
        {"road-morielf", "stage 3; the walk's draws bring nothing until near its end", Opening() + Stage(3) + Board("Rein") + Road("エルウインド", "MoriElf") + Walk(85),
         "area:MoriElf area:Elwind"},
        {"road-elfana", "stage 5", Opening() + Stage(5) + Board("Elwind") + Road("深淵窟", "ElfAna"), "area:ElfAna story:BossTurn"},
        {"road-hanosiro", "stage 7; the walk's draws bring nothing until near its end", Opening() + Stage(7) + Board() + Road("アミュレット城", "HanoSiro") + Walk(185),
         "area:HanoSiro story:BossTurn"},
        {"road-sirotou", "stage 10; the walk's draws bring nothing until near its end", Opening() + Stage(10) + Board("Amulet") + Road("ネクザスの塔", "SiroTou") + Walk(85),
         "area:SiroTou area:Tou"},
        {"number-game", "stage 1; the walk's draws bring the game keeper",
         Opening() + Stage(1) + "set MonsNothing True\n" + Board() + Road("レインウッド", "HanoMori") +
             "draws 0.0484 0.095 0.0 0.0 0.0 0.5645\nwait 500\nkey G\nkey Y\nexpect EventName GameStart\n",
         "event:GameStart"},
        // Quitting asked while the number game waits on its last guess.
        {"number-game-quit", "stage 1; the walk's draws bring the game keeper",
         Opening() + Stage(1) + "set MonsNothing True\n" + Board() + Road("レインウッド", "HanoMori") +
             "draws 0.0484 0.095 0.0 0.0 0.0 0.5645\nwait 500\nkey G\nkey Y\nexpect EventName GameStart\n"
             "type frmUnderMes3.txtNumber 1{Enter}\ntype frmUnderMes3.txtNumber 2{Enter}\n"
             "type frmUnderMes3.txtNumber 3{Enter}\nexpect GameTriesUsed 3\nkey Apps\nmenu 終了\nexpect GameEnding True\n",
         "event:GameStart story:VBEnd"},
        // The cave and the tower.
        {"cave-shallow", "stage 6", Opening() + Stage(6) + Board("Shinen") + Road("中へ", "Shinen"), "area:Shinen floor:Shinen-shallow"},
        {"cave-boss", "stage 6; warp point 10 reached", Opening() + Stage(6) + Warp("Shinen", 10) + Stairs(10, 14), "floor:Shinen-shallow story:BossTurn"},
        {"cave-middle", "stage 8; warp points to 150 reached, the bosses above beaten",
         Opening() + Stage(8) + FloorBosses("Shinen", 150) + Warp("Shinen", 150), "floor:Shinen-middle"},
        {"cave-deep", "stage 12, late money; warp points to 250 reached, the bosses above beaten",
         Opening() + Stage(12) + Late() + FloorBosses("Shinen", 250) + Warp("Shinen", 250), "floor:Shinen-deep"},
        {"last-boss", "stage 12, late money; warp points to 290 reached, the bosses above beaten",
         Opening() + Stage(12) + Late() + FloorBosses("Shinen", 290) + Warp("Shinen", 290) + Stairs(290, 298),
         "floor:Shinen-deep story:BossTurn"},
        {"tower-shallow", "stage 11", Opening() + Stage(11) + Board("Tou") + Road("中へ", "Tou"), "area:Tou floor:Tou-shallow"},
        {"tower-middle", "stage 11; warp points to 40 reached", Opening() + Stage(11) + Warp("Tou", 40) + Stairs(40, 48),
         "floor:Tou-middle story:BossTurn"},
        {"tower-deep", "stage 11, late money; warp points to 90 reached, the boss below beaten",
         Opening() + Stage(11) + Late() + FloorBosses("Tou", 90) + Warp("Tou", 90), "floor:Tou-deep"},
        // The shop's visits.
        {"royal-order-due", "the fame of a long game; fourteen days passed as sleeping passes them",
         Opening() + ShopVisit("0.025") + "expect ShopEventKind 5\nwait 1500\ndraws 0.01 0.9 0.01\nkey G\nkey G\nkey G\nkey Y\n"
             "expect NowRequest 1\nkey G\nkey G\nkey Apps\nmenu 閉店\ncall PassTime 1400\n",
         "story:ShopEvent"},
        {"swordsman", "the fame of a long game", Opening() + ShopVisit("0.04") + "expect ShopEventKind 20\n", "story:ShopEvent"},
        // The end of the game and after.
        {"ending", "the last boss beaten (the last-boss start plays the fight)", Ending(), "story:EndingSpeech"},
        {"cleared", "as the ending", Cleared(), "area:ElfAna"},
        {"new-game-plus", "as the ending; then she has walked home to Hanoda", Cleared() + "set FieldName Hanoda\n" + ParkTalk(7, 1) + "key G\nexpect NewGame True\n",
         "story:Opening"},
        {"endless-corridor", "as the ending; then she has walked to Elwind", Cleared() + "set FieldName Elwind\n" + ParkTalk(6, 1) + "key G\nexpect FieldName ElfMugen\n",
         "area:ElfMugen"},
    };
    std::vector<StartPoint> out;
    for (const auto& r : rows) out.push_back({r.name, r.note, Lines(r.road), Words(r.places)});
    (void)late;
    return out;
}

}  // namespace

const std::vector<StartPoint>& StartPoints() {
    static const std::vector<StartPoint> table = Build();
    return table;
}

const StartPoint* FindStart(const std::string& name) {
    for (const auto& s : StartPoints())
        if (s.name == name) return &s;
    return nullptr;
}

}  // namespace q::soak
