#include "core/frmMenu.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "core/StoryInput.h"

namespace q {

namespace {

struct ItemDesign {
    MenuItem* item;
    const char* caption;
};

void Build(Form& form, MenuItem& top, std::initializer_list<ItemDesign> items) {
    top.children.clear();
    for (const auto& d : items) {
        d.item->Caption = d.caption;
        d.item->Visible = true;
        d.item->Enabled = true;
        top.children.push_back(d.item);
        // Every command is a procedure of the game by its form and item name.
        if (!d.item->isSeparator()) {
            const std::string name = form.Name() + "." + d.item->name() + "_Click";
            Game& g = static_cast<GameForm&>(form).game;
            d.item->Click = [&g, name] { g.Call(name); };
        }
    }
}

// The board menu per town: which items a town shows, and from which story
// stage. Park items are shown, and enabled only until time 80.
enum Show : int { No = -1, Yes = 0, Park = -2, AnaWarp = -3, TouWarp = -4, Lake = -5, Lab = -6 };

struct TownItems {
    std::string_view town;
    // bIn, bWarp, bDream, bHotel, bItem, bCart, bCarpenter, bFortune, bMania, bBank, bHouse, bSmith,
    // bJuntaku, bHiroba, bSiro, bKaihatsu, bHanoda, bRain, bShinen, bElwind, bTower, bAmulet, bEconomy
    std::array<int, 23> show;  // Yes, No, a special rule, or the Warasibe it needs
};

constexpr std::array<TownItems, 6> Towns{{
    {"Hanoda", {No, No, Yes, No, Yes, Yes, No, No, Yes, Yes, Yes, No, No, Park, No, No, No, 1, No, No, No, 7, Yes}},
    {"Rein", {No, No, No, No, No, No, No, No, No, No, No, Yes, No, No, No, No, Yes, No, No, 3, No, No, No}},
    {"Shinen", {Yes, AnaWarp, No, No, No, No, No, No, No, No, No, No, No, No, No, No, No, No, No, Yes, No, No, No}},
    {"Elwind", {No, No, No, Yes, Yes, Yes, No, No, No, Yes, No, No, Lake, Park, No, No, No, Yes, 5, No, No, No, Yes}},
    {"Tou", {Yes, TouWarp, No, No, No, No, No, No, No, No, No, No, No, No, No, No, No, No, No, No, No, Yes, No}},
    {"Amulet", {No, No, No, Yes, Yes, Yes, Yes, 10, No, Yes, No, No, No, Park, Yes, Lab, Yes, No, No, No, 10, No, Yes}},
}};

std::array<MenuItem*, 23> TownOrder(frmBoard& b) {
    return {&b.bIn,      &b.bWarp,   &b.bDream,  &b.bHotel,  &b.bItem,     &b.bCart,   &b.bCarpenter, &b.bFortune,
            &b.bMania,   &b.bBank,   &b.bHouse,  &b.bSmith,  &b.bJuntaku,  &b.bHiroba, &b.bSiro,      &b.bKaihatsu,
            &b.bHanoda,  &b.bRain,   &b.bShinen, &b.bElwind, &b.bTower,    &b.bAmulet, &b.bEconomy};
}

bool Shown(const Game& g, int rule) {
    switch (rule) {
        case No: return false;
        case Yes:
        case Park: return true;
        case AnaWarp: return g.AnaSpot[0];
        case TouWarp: return g.TouSpot[0];
        case Lake: return g.MizuumiFlg >= 1;
        case Lab: return g.ArmsComplete >= 1;
        default: return g.Warasibe >= rule;
    }
}

// The lake's guardian is talking on Elwind's board: the board offers no place and no quitting.
bool LakeStory(const Game& g) { return g.FieldName == "Elwind" && (g.VisitorSprite == 357 || g.VisitorSprite == 146); }


void BoardMenu(Game& g) {
    frmBoard& b = g.frmBoard.get();
    for (MenuItem* item : TownOrder(b)) item->Visible = false;
    b.bSave.Visible = true;
    b.bEnd.Visible = true;
    b.bEnd.Enabled = true;
    b.bline1.Visible = true;
    const TownItems* town = nullptr;
    for (const auto& t : Towns)
        if (t.town == g.FieldName) town = &t;
    if (!town) return;  // no board here: no menu
    const bool lakeStory = LakeStory(g);
    auto items = TownOrder(b);
    for (size_t i = 0; i < items.size(); ++i) {
        items[i]->Visible = !lakeStory && Shown(g, town->show[i]);
        if (town->show[i] == Park) items[i]->Enabled = g.NowTime <= 80;
    }
    if (lakeStory) b.bEnd.Visible = false;
    for (MenuItem* item : {&b.bIn, &b.bDream, &b.bHotel, &b.bItem, &b.bCart, &b.bCarpenter, &b.bFortune, &b.bMania,
                           &b.bBank, &b.bHouse, &b.bSmith, &b.bHanoda, &b.bRain, &b.bShinen, &b.bJuntaku, &b.bElwind,
                           &b.bTower, &b.bAmulet, &b.bEconomy, &b.bSave, &b.bEnd})
        item->Enabled = !g.MenuLocked;
    g.host.PopupMenu(b, b.bmenu);
}

constexpr std::array<std::string_view, 12> Facilities{"Hotel", "Item",  "Cart", "Carpenter", "Fortune",  "Mania",
                                                      "Bank",  "House", "Smith", "Park",     "Kaihatsu", "Warp"};

void SceneMenu(Game& g) {
    frmMenu& m = g.frmMenu.get();
    for (MenuItem* item : {&m.mStatus, &m.mOpen, &m.mClose, &m.mSleep, &m.mOut}) item->Visible = false;
    m.mEnd.Visible = true;
    m.mEnd.Enabled = true;
    m.mLine.Visible = false;
    if (g.EventField == "Shop") {
        // Each list lives in its own branch: a list chosen by ?: would end
        // before the loop reads it.
        if (g.ShopOpen)
            for (MenuItem* item : {&m.mClose, &m.mLine, &m.mStatus}) item->Visible = true;
        else
            for (MenuItem* item : {&m.mOpen, &m.mSleep, &m.mLine, &m.mStatus, &m.mOut}) item->Visible = true;
    } else if (std::find(Facilities.begin(), Facilities.end(), g.EventField) != Facilities.end()) {
        m.mStatus.Visible = true;
        m.mOut.Visible = true;
    } else {
        m.mStatus.Visible = true;
    }
    for (MenuItem* item : {&m.mOpen, &m.mClose, &m.mSleep, &m.mOut, &m.mEnd}) item->Enabled = !g.MenuLocked;
    if (!g.MenuLocked && g.ShopEventKind != 0) m.mClose.Enabled = false;
    if (QuitGreyedByAuto(g)) m.mEnd.Enabled = false;
    m.mClose.Enabled = !g.AutoNext && g.CloseRequest == 0;
    if (g.ShopEventKind >= 1) m.mClose.Enabled = false;
    g.host.PopupMenu(m, m.menu);
}

}  // namespace

bool QuitGreyedByAuto(const Game& g) {
    return g.AutoNext && ((g.SceneFormName == "frmShop" && g.ShopOpen) || g.SceneFormName == "frmField");
}

frmMenu::frmMenu(Game& g) : GameForm(g, "frmMenu") {
    for (MenuItem* item : {&menu, &mOpen, &mClose, &mSleep, &mLine, &mStatus, &mOut, &mEnd}) add(*item);
}

void frmMenu::Design() {
    Caption = "+++ Quorvane +++";
    menu.Caption = "menu";
    Build(*this, menu,
          {{&mOpen, "開店"}, {&mClose, "閉店"}, {&mSleep, "寝る"}, {&mLine, "-"}, {&mStatus, "ステータス"},
           {&mOut, "看板へ"}, {&mEnd, "終了"}});
}

frmBoard::frmBoard(Game& g) : GameForm(g, "frmBoard") {
    add(bmenu);
    for (MenuItem* item : TownOrder(*this)) add(*item);
    for (MenuItem* item : {&bline1, &bline2, &bStatus, &bSave, &bEnd}) add(*item);
}

void frmBoard::Design() {
    Caption = "+++ Quorvane +++";
    bmenu.Caption = "bmenu";
    Build(*this, bmenu,
          {{&bIn, "中へ"},         {&bWarp, "ワープ"},       {&bDream, "夢追い堂"},   {&bHotel, "宿屋"},
           {&bItem, "道具屋"},     {&bCart, "馬車屋"},       {&bCarpenter, "大工屋"}, {&bFortune, "占いの館"},
           {&bMania, "玉回収業者"}, {&bBank, "銀行"},        {&bHouse, "不動産屋"},   {&bSmith, "鍛冶屋"},
           {&bJuntaku, "潤沢湖"},  {&bHiroba, "広場"},       {&bSiro, "城内"},        {&bKaihatsu, "開発室"},
           {&bline1, "-"},         {&bHanoda, "ハノダ"},     {&bRain, "レインウッド"}, {&bShinen, "深淵窟"},
           {&bElwind, "エルウインド"}, {&bTower, "ネクザスの塔"}, {&bAmulet, "アミュレット城"}, {&bline2, "-"},
           {&bStatus, "ステータス"}, {&bEconomy, "経済情報"}, {&bSave, "セーブ"},      {&bEnd, "終了"}});
}

bool QuitOffered(const Game& g) {
    // As ShowPopupMenu and the menus decide: no menu before a game has
    // started, during the opening, while the quit question is up, or while
    // the board saves; 終了 greyed while the menus are locked.
    if (g.NewGame || g.GameEnding || g.MenuLocked) return false;
    if (!g.StageForm || g.StageForm->Name() == "frmOpen") return false;
    if (g.EventField == "Board") {
        const bool hasBoard = std::any_of(Towns.begin(), Towns.end(), [&g](const TownItems& t) { return t.town == g.FieldName; });
        return hasBoard && g.BoardCommand != "Save" && !LakeStory(g);
    }
    return !QuitGreyedByAuto(g);
}

void ShowPopupMenu(Game& g) {
    if (QuestionOverStory(g)) return;
    // The title is no scene: before a game has started there is no menu.
    if (g.StageForm && g.StageForm->Name() == "frmOpen") return;
    if (g.EventField == "Board") {
        if (g.BoardCommand == "Save") return;
        BoardMenu(g);
        return;
    }
    SceneMenu(g);
}

}  // namespace q
