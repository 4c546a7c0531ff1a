// The second message bar: a line or a question over a running story.
#pragma once

#include "core/MessageBar.h"

namespace q {

class frmUnderMes2 : public MessageBar {
public:
    explicit frmUnderMes2(Game& game) : MessageBar(game, "frmUnderMes2") {}

protected:
    void LabelClick(int Index, int Button) override;
};

}  // namespace q
