// Every form of the game, once: the Game object holds one of each, created
// on first reference and found by its name.
#pragma once

#define QUORVANE_FORMS(X) \
    X(frmUnderMes)        \
    X(frmUnderMes2)       \
    X(frmOpen)            \
    X(frmMenu)            \
    X(frmBoard)           \
    X(frmShop)            \
    X(frmEvent)           \
    X(frmField)           \
    X(frmFrame)           \
    X(frmStatus)          \
    X(frmStatus2)         \
    X(frmList)            \
    X(frmKeyItem)         \
    X(frmRequest)         \
    X(frmShopArms)        \
    X(frmStockArms)       \
    X(frmBag)             \
    X(frmSack)            \
    X(frmOthers)          \
    X(frmUnderMes3)       \
    X(frmItemShop)        \
    X(frmGyoku)
