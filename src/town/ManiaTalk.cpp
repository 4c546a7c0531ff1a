// The jewel collector's talk: his introduction, then the hand-over of the
// monster jewels (ギョク) in the sack, one per click, with a reward at every
// tenth kind (and the fifth), and the Noah cloak for the queen after a clear.
#include <array>
#include <string>

#include "core/Inventory.h"
#include "shop/ListWindows.h"
#include "town/FacilityWindow.h"
#include "town/TalkScript.h"
#include "town/TownSpeech.h"

namespace q {

namespace {

constexpr Long AllKinds = 100;
constexpr Long NoJewel = NoRecipeMaterial;

constexpr const char* ManiaIntro[] = {
    "イザベラ：あ……あの、ココは………？",
    "業者：あぁん？見ない顔だな。ここは玉回収業者の店だ",
    "業者：モンスターを倒すと、たまに玉を落とすだろう？俺たちはそいつをギョクって呼んでる",
    "イザベラ：ギョク……ですか？",
    "業者：そうだ。ギョクにはモンスターの情報が詰まってるんだ",
    "業者：俺は国に頼まれて、そのギョクを集めてるのさ",
    "業者：モンスターの種類ごとに、一つずつ集めなきゃならねぇ",
    "イザベラ：それで、集めたギョクはどうするんですか？",
    "業者：国の研究に使うんだとよ。種類が揃えば揃うほど、俺の懐も潤うって寸法だ",
    "業者：もちろん、タダで寄越せとは言わねぇ",
    "業者：だから、拾ったらまず俺に渡せ。ある程度の種類が溜まったら、俺からお前に報奨を払ってやるよ",
};

void CollectorKnown(Game& g) { g.GyokuFlg = 1; }

constexpr Beat ManiaIntroBeats[] = {{.step = 21, .act = CollectorKnown}};
constexpr Talk ManiaIntroTalk{.first = 11, .lines = ManiaIntro, .beats = ManiaIntroBeats, .last = HandsOver};

struct ManiaLines {
    const char* queenWantsNoah = "業者：女王さんがノア武具を集めてるらしいな";
    const char* forTheQueen = "業者：あの方には世話になっているから、コレを渡しといてくれ";
    const char* backToJewels = "業者：くれぐれも頼んだぞ！さて、後はいつものギョクだが…";
    const char* throwsAway = "業者：持ってるギョクは捨てておくぜ。もう必要ないからな";
    const char* noJewel = "業者：ギョクを持っていないようだな。さっさと集めてきやがれ！";
    const char* knownTail = "だな。こいつの情報は既に持ってるぞ。ギョクは処分しといてやる";
    const char* newTail = "だな。すげーぞ！初めての玉だ！";
    const char* bagFull = "業者：鞄が一杯で報奨が渡せねぇな。他の要らねえギョクは処分しとくぞ";
    const char* sackFull = "業者：袋が一杯で報奨が渡せねぇな。他の要らねえギョクは処分しとくぞ";
    const char* rewardHead = "業者：お！これで、";
    const char* rewardMiddle = "種類集めたようだな。よくやったぞ。";
    const char* rewardTail = "をくれてやる。";
    const char* allCollected = "業者：やった！これで全部集め終わったぞ！！俺は大金持ちだぁー！！ひゃっほーい！！！";
    const char* comeBack = "業者：俺はいつでもにいるからモンスター情報を見に来いよな。お前なら歓迎するぜ！";
    const char* speaker = "業者：";
};
constexpr ManiaLines Lines{};

enum RewardKind : Long { RewardArm = 0, RewardItem = 1, RewardValuable = 2 };

struct Reward {
    Long kinds;  // the count of kinds handed that earns it
    Long number;
    RewardKind kind;
};

constexpr std::array<Reward, 11> Rewards{{
    {5, 29, RewardItem},
    {10, 472, RewardArm},
    {20, 473, RewardArm},
    {30, 21, RewardItem},
    {40, 4, RewardValuable},
    {50, 22, RewardItem},
    {60, 15, RewardValuable},
    {70, 18, RewardValuable},
    {80, 474, RewardArm},
    {90, 475, RewardArm},
    {100, 20, RewardValuable},
}};

const Reward* RewardFor(Long kinds) {
    for (const Reward& r : Rewards)
        if (r.kinds == kinds) return &r;
    return nullptr;
}

constexpr Long NoahCloak = 4;
constexpr Long NoahCloakArm = 483;

bool CloakForTheQueen(const Game& g) { return g.NoaFlg[NoahCloak] == 0 && g.NoaFlg[6] == 1 && g.GameCleared; }

// The whole entry of the jewel FindSackJewel found.
bool RemoveFoundJewel(Game& g) {
    const Long i = g.GyokuReward[2];
    if (i < 0 || i >= g.HaveSack || i >= Long(g.MySack.size())) return false;
    const SackEntry& e = g.MySack[size_t(i)];
    return SackChange(g, e.HHaveSackNo, i, true, e.HHaveSackNum, true);
}

void RemoveJewels(Game& g, bool onlyHanded) {
    for (FindSackJewel(g, onlyHanded); g.GyokuReward[2] != NoJewel; FindSackJewel(g, onlyHanded))
        if (!RemoveFoundJewel(g)) return;
}

// The talk closes for this visit; the window is rebuilt when it asked to be.
void CloseHere(Game& g) {
    g.StoryNo = StoryAfterEndNo;
    g.OfferPending = false;
    RefreshListWindow(g);
    if (g.ReloadList) ReopenFacilityWindow(g);
    g.NoClick = NoClickNone;
}

std::string RewardName(const Game& g, const Reward& r) {
    switch (r.kind) {
        case RewardArm: return g.AllArms[size_t(r.number)].Name;
        case RewardItem: return g.AllItem[size_t(r.number)].Name;
        case RewardValuable: return g.AllKey[size_t(r.number)].Name;
    }
    return {};
}

// The new jewel leaves the sack and counts; false when it could not be taken.
bool RecordJewel(Game& g, Long jewel) {
    if (!RemoveFoundJewel(g)) return false;
    g.AllGyoku[size_t(jewel)].LGyokuList = true;
    g.HaveGyokuNum += 1;
    g.MessageText = Lines.speaker + g.AllGyoku[size_t(jewel)].Name + Lines.newTail;
    return true;
}

// Whether the reward will go in once the new jewel's entry has left the sack.
bool RewardFits(const Game& g, const Reward& r) {
    switch (r.kind) {
        case RewardArm: return BagFits(g, r.number, 1);
        case RewardItem: {
            if (SackFits(g, r.number, 1, false)) return true;
            // A full sack without the item: the jewel's entry makes the room.
            for (Long i = 0; i < g.HaveSack && i < Long(g.MySack.size()); ++i) {
                const SackEntry& e = g.MySack[size_t(i)];
                if (e.HHaveSackNo == r.number && !e.HHaveGyoku) return false;
            }
            return g.HaveSack - 1 < g.NowMaxSack;
        }
        case RewardValuable: return true;
    }
    return false;
}

void NoJewelLeft(Game& g) {
    g.MessageText = Lines.noJewel;
    CloseHere(g);
}

void NewJewel(Game& g, Long jewel) {
    const Reward* r = RewardFor(g.HaveGyokuNum + 1);
    if (!r) {
        if (!RecordJewel(g, jewel)) return NoJewelLeft(g);
        g.StoryNo = 10;
        g.ReloadList = true;
        RefreshListWindow(g);
        return;
    }
    // A reward that will not go in is not owed yet: the jewel stays in the
    // sack unrecorded, and is counted on a later visit.
    const bool bagFull = r->kind == RewardArm && g.HaveBagNum >= g.NowMaxBag;
    if (bagFull || !RewardFits(g, *r)) {
        RemoveJewels(g, true);
        g.MessageText = r->kind == RewardArm ? Lines.bagFull : Lines.sackFull;
        CloseHere(g);
        return;
    }
    if (!RecordJewel(g, jewel)) return NoJewelLeft(g);
    g.ReloadList = true;
    g.GyokuReward[0] = r->number;
    g.GyokuReward[1] = r->kind;
    RefreshListWindow(g);
    // StoryNo stays 11: the next click hands over the reward.
}

// Step 11: the next jewel of the sack.
void TakeNextJewel(Game& g) {
    if (CloakForTheQueen(g)) {
        g.StoryNo = 100;
        g.MessageText = Lines.queenWantsNoah;
        return;
    }
    FindSackJewel(g, false);
    if (g.HaveGyokuNum == AllKinds) {
        RemoveJewels(g, false);
        g.MessageText = Lines.throwsAway;
        CloseHere(g);
        return;
    }
    if (g.GyokuReward[2] == NoJewel) {
        g.MessageText = Lines.noJewel;
        CloseHere(g);
        return;
    }
    const Long jewel = g.MySack[size_t(g.GyokuReward[2])].HHaveSackNo;
    if (!g.AllGyoku[size_t(jewel)].LGyokuList) {
        NewJewel(g, jewel);
        return;
    }
    if (!RemoveFoundJewel(g)) return NoJewelLeft(g);
    g.MessageText = Lines.speaker + g.AllGyoku[size_t(jewel)].Name + Lines.knownTail;
    g.StoryNo = 10;
    RefreshListWindow(g);
}

// Step 12: the reward of the kinds counted so far.
void GiveReward(Game& g) {
    const Reward r{0, g.GyokuReward[0], RewardKind(g.GyokuReward[1])};
    // Room was made sure of when the jewel was counted.
    switch (r.kind) {
        case RewardItem: (void)SackChange(g, r.number, 0, false, 1, false); break;
        case RewardArm: (void)BagChange(g, r.number, 0, false, 1); break;
        case RewardValuable:
            g.AllKey[size_t(r.number)].LKeyList = true;
            if (r.number == NoahCloak) NoahGift(g, NoahCloak, NoahCloakArm);
            break;
    }
    g.MessageText = Lines.rewardHead + std::to_string(g.HaveGyokuNum) + Lines.rewardMiddle + RewardName(g, r) +
                    Lines.rewardTail;
    if (g.HaveGyokuNum != AllKinds) g.StoryNo = 10;
    RefreshListWindow(g);
}

void Exchange(Game& g) {
    switch (g.StoryNo) {
        case 11: TakeNextJewel(g); break;
        case 12: GiveReward(g); break;
        case 13: g.MessageText = Lines.allCollected; break;
        case 14:
            RemoveJewels(g, false);
            g.MessageText = Lines.throwsAway;
            break;
        case 15:
            g.MessageText = Lines.comeBack;
            CloseHere(g);
            break;
        case 101:
            g.MessageText = Lines.forTheQueen;
            NoahGift(g, NoahCloak, NoahCloakArm);
            break;
        case 102:
            g.MessageText = Lines.backToJewels;
            g.StoryNo = 10;
            break;
        default: break;
    }
    ShowTalkLine(g);
}

}  // namespace

void ManiaSpeech(Game& g) {
    if (g.GyokuFlg == 0) TellStep(g, ManiaIntroTalk);
    else Exchange(g);
}

}  // namespace q
