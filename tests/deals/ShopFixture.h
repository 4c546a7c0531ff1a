// The open shop of a fresh game, with the deal in hand: a customer placed at
// the counter, clicks and answers, and the display filled as a test needs.
#pragma once

#include <initializer_list>
#include <string>
#include <utility>

#include "RulesFixture.h"
#include "core/Clock.h"
#include "core/GoToPlace.h"
#include "core/StoryInput.h"
#include "core/frmMenu.h"
#include "core/frmUnderMes.h"
#include "core/frmUnderMes2.h"
#include "shop/frmShop.h"

namespace q::test {

// The draws of a deal's two time units when she neither starves nor
// faints: hunger (no loss), then the strain of 1 HP at level 1.
constexpr double NoHunger = 0.9;
constexpr double LightStrain = 0.0;

class ShopTest : public RulesTest {
protected:
    ShopTest() {
        InitGame(g());
        // The scene itself is under test here, not a stub.
        g().SetHandler("frmShop.Show", [this](Long) { g().frmShop->Show(); });
        g().SetHandler("frmShop.ShopClose", [this](Long) { g().frmShop->ShopClose(); });
        // No theft or fire falls due while a test runs.
        g().RobberyDay.fill(0);
        g().FireDay.fill(0);
    }

    frmShop& shop() { return g().frmShop.get(); }

    // Home to the shop, and the shop opened.
    void OpenShop() {
        GoToPlace(g(), "Shop", "", "", "");
        mOpen_Click(g());
    }

    // The display holds these arms and pieces, in this order.
    void Display(std::initializer_list<std::pair<Long, Long>> entries) {
        g().HaveShop = 0;
        g().HaveShopNum = 0;
        for (auto [arm, pieces] : entries) {
            g().MyShopArms[size_t(g().HaveShop)] = {arm, pieces};
            g().HaveShop += 1;
            g().HaveShopNum += pieces;
        }
    }

    // A customer at the counter, his arm and price chosen, before his first
    // line: what BuyANDSellItem leaves before it starts the talk.
    void AtCounter(Long picture, bool buys, Long arm, Long price, Long fame = 0) {
        g().EventBusy = true;
        g().ShopPhase = ShopTalking;
        shop().Timer1.Interval = 0;  // the clock stops while they talk
        g().StoryName = "ShopBuySell";
        g().VisitorSprite = picture;
        g().VisitorX = 300;
        g().ShopEventKind = ShopEventNone;
        g().CustomerBuys = buys;
        g().DealArm = arm;
        g().DealPrice = price;
        g().FameDelta = fame;
        g().HaggleCount = 0;
        g().SpecialPay = 0;
        g().ArmMissing = false;
        g().PriceOutrageous = false;
        g().NoRepeat = false;
        g().RepeatDeal = 0;
        g().StoryNo = 1;
        shop().BuyANDSell();
    }

    void Click() { AdvanceStory(g(), vbLeftButton); }
    void Answer(int key) { KeyToClick(g(), key); }
    std::string SecondBar() { return g().frmUnderMes2->LBLMessage[0].Caption; }
};

}  // namespace q::test
