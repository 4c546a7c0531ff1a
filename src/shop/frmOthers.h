// The settings window "その他": the game's settings as check boxes and
// speed options, and the list of keys. The setting keys of the input
// routine call the same Click handlers.
#pragma once

#include "shop/ListWindows.h"

namespace q {

class frmOthers : public ListWindow {
public:
    explicit frmOthers(Game& game);

    CheckBox ChkLeftRight{*this, "ChkLeftRight"};
    CheckBox ChkAuto2{*this, "ChkAuto2"};
    CheckBox ChkAuto{*this, "ChkAuto"};
    CheckBox ChkStop{*this, "ChkStop"};
    CheckBox ChkConfirm{*this, "ChkConfirm"};
    ControlArray<OptionButton> OPTSpeed{*this, "OPTSpeed", 3};
    CheckBox ChkShow{*this, "ChkShow"};
    Label LBLStatus{*this, "LBLStatus"};
    ListView lstList{*this, "lstList"};

    void Design() override;
    void Form_Load() override;
    Control* FirstControl() override { return &OPTSpeed[0]; }

    void ChkAuto_Click();
    void ChkStop_Click();
    void ChkShow_Click();
    void ChkAuto2_Click();
    void ChkConfirm_Click();
    void ChkLeftRight_Click();
    void OPTSpeed_Click(int Index);
    // The S key: the speed option clicked with index 0 while a key is handled.
    void SpeedKey() { OPTSpeed_Click(0); }

private:
    bool SettingsLoading = false;
    bool InScene(const char* name) const { return game.SceneFormName == name; }
    bool InShopOrField() const { return InScene("frmShop") || InScene("frmField"); }
};

// The speed pairs: scene clock interval and auto-mode wait, by SpeedFlg.
void ApplySpeed(Game& g, Long speed);

}  // namespace q
