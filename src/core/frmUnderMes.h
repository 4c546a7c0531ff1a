// The main message bar: the running story's line, or a question.
#pragma once

#include "core/MessageBar.h"

namespace q {

class frmUnderMes : public MessageBar {
public:
    explicit frmUnderMes(Game& game) : MessageBar(game, "frmUnderMes") {}
    // The bar stands for the game on the taskbar while it is played.
    void Design() override {
        MessageBar::Design();
        ShowInTaskbar = true;
    }

protected:
    void LabelClick(int Index, int Button) override;
};

}  // namespace q
