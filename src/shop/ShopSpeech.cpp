#include "shop/ShopSpeech.h"

#include <cmath>
#include <initializer_list>
#include <string_view>
#include <utility>

#include "core/Game.h"
#include "core/Message.h"
#include "core/World.h"
#include "shop/ShopLines.h"
#include "shop/frmShop.h"

namespace q {

namespace {

constexpr Long MorningEnds = 30;
constexpr Long DaytimeEnds = 70;
constexpr Long OrderDrawUpStep = 2;
constexpr Long OrderQuantityLo = 5;
constexpr Long OrderQuantityHi = 15;

// A line's text with each {key} replaced by its value.
using Fields = std::initializer_list<std::pair<std::string_view, std::string>>;
std::string Fill(std::string_view text, Fields fields) {
    std::string out;
    for (size_t i = 0; i < text.size();) {
        const size_t close = text[i] == '{' ? text.find('}', i) : std::string_view::npos;
        const std::string* value = nullptr;
        if (close != std::string_view::npos) {
            const std::string_view key = text.substr(i + 1, close - i - 1);
            for (const auto& [k, v] : fields)
                if (k == key) value = &v;
        }
        if (value) {
            out += *value;
            i = close + 1;
        } else {
            out += text[i++];
        }
    }
    return out;
}

std::string ArmName(const Game& g, Long arm) {
    return arm >= 0 && arm < Long(g.AllArms.size()) ? g.AllArms[size_t(arm)].Name : std::string();
}

// The customer's opening line: greeting, arm, and what he wants.
std::string OpeningLine(const Game& g, const CustomerLines& k) {
    std::string line = g.RepeatDeal != 0 ? k.secondGreeting : k.greeting[size_t(TimeOfDay(g.NowTime))];
    line += ArmName(g, g.DealArm);
    if (g.CustomerBuys) return line + k.buyerEnding;
    return line + k.sellerMiddle + FormatPrice(g.DealPrice) + k.sellerEnding;
}

// Two customers pay in their own way: the swordsman gives his arm away when
// the shop has no money, the soldier takes the arm he cannot pay for.
struct SpecialPayLine {
    Long picture;
    Long step;
    Long pay;
};
constexpr SpecialPayLine SpecialPays[] = {{33, 30, 2}, {8, 50, 1}};

void DealSpeech(Game& g) {
    if (g.RepeatDeal == 1) g.frmShop->TimerEvent();
    const CustomerLines* k = CustomerKind(g.VisitorSprite);
    if (!k) return;
    if (g.StoryNo == 1) {
        g.MessageText = OpeningLine(g, *k);
        return;
    }
    if (g.StoryNo == 500) {
        g.MessageText = g.DealAccepted ? k->farewell : k->farewellRefused;
        return;
    }
    for (const DealStepLine& s : DealStepLines()) {
        if (s.step != g.StoryNo) continue;
        g.MessageText = Fill(k->*s.line, {{"arm", ArmName(g, g.DealArm)}, {"price", FormatPrice(g.DealPrice)}});
        for (const SpecialPayLine& p : SpecialPays)
            if (p.picture == k->picture && p.step == s.step) g.SpecialPay = p.pay;
        g.StoryNo = s.next;
        return;
    }
}

// The royal order: how many days, which arm, how many pieces.
void DrawUpOrder(Game& g) {
    g.WorkNum = Long(std::floor(g.rng.Rnd() * 46 + 15));
    const std::vector<Long> arms = OrderableArms(g);
    SetRange(g, 0);
    if (!arms.empty()) g.WorkNum2 = arms[size_t(g.Chance(Long(arms.size())))];
    g.RandHi = OrderQuantityHi;
    g.RandLo = OrderQuantityLo;
    g.WorkNum3 = Long(std::floor(g.rng.Rnd() * 11 + 5));
}

void EventSpeech(Game& g) {
    for (const EventLine& l : EventLines(g.ShopEventKind)) {
        if (l.step != g.StoryNo) continue;
        if (g.ShopEventKind == ShopEventRoyalOrder && l.step == OrderDrawUpStep) DrawUpOrder(g);
        const char* text = l.broke && g.MyGold == 0 ? l.broke : l.line;
        g.MessageText = Fill(text, {{"days", std::to_string(g.WorkNum)},
                                    {"arm", ArmName(g, g.WorkNum2)},
                                    {"no", std::to_string(g.WorkNum2 + 1)},
                                    {"qty", std::to_string(g.WorkNum3)},
                                    {"name", g.WorkName},
                                    {"pieces", std::to_string(g.WorkNum)},
                                    {"pay", std::to_string(g.WorkNum2)}});
        if (l.next != StaysOnStep) g.StoryNo = l.next;
        return;
    }
}

}  // namespace

int TimeOfDay(Long NowTime) {
    if (NowTime <= MorningEnds) return 0;
    if (NowTime <= DaytimeEnds) return 1;
    return 2;
}

std::string FormatPrice(Long n) {
    const long long v = n;
    std::string digits = std::to_string(v < 0 ? -v : v);
    std::string out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return v < 0 ? "-" + out : out;
}

std::vector<Long> OrderableArms(Game& g) {
    const Long kept = g.DealArm;
    SetRange(g, 0);
    const Long limit = g.DealArm;
    g.DealArm = kept;
    std::vector<Long> arms;
    for (Long i = 0; i < limit && i < Long(g.AllArms.size()); ++i) {
        const ArmRecord& a = g.AllArms[size_t(i)];
        if (a.Rarity != 0 || !a.LArmsList) continue;
        bool ordered = false;
        for (Long r = 0; r < g.NowRequest && r < Long(g.MyRequestArms.size()); ++r)
            if (g.MyRequestArms[size_t(r)].SRequestArmsNo == i) ordered = true;
        if (!ordered) arms.push_back(i);
    }
    return arms;
}

void ShopSpeech(Game& g) {
    if (g.StoryName == "ShopBuySell") DealSpeech(g);
    else if (g.StoryName == "ShopEvent") EventSpeech(g);
    ShowMessage(g, g.MessageText);
}

}  // namespace q
