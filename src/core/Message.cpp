#include "core/Message.h"

#include "core/frmUnderMes.h"
#include "core/frmUnderMes2.h"
#include "stage/mod_RGN_UserFunction.h"

namespace q {

namespace {

constexpr int ChoiceGap = 100;  // twips between a label and the next

void AppendMarks(std::string& first, std::string& second, bool DefaultYes) {
    first += DefaultYes ? MarkDefaultYes : MarkYes;
    second += DefaultYes ? MarkNo : MarkDefaultNo;
}

// The escape from a fight that cannot be fled is grey.
bool EscapeAllowed(const Game& g) {
    if (g.EnemyName == "強盗") return false;
    if (g.EnemyName == "トレント君" && g.FieldName != "ElfMugen") return false;
    return true;
}

void LayChoices(MessageBar& bar, const std::string& line, const std::string& yes, const std::string& no) {
    auto& l = bar.LBLMessage;
    l[0].FontUnderline = false;
    l[1].FontUnderline = true;
    l[2].FontUnderline = true;
    l[0].Caption = line;
    l[1].Caption = yes;
    l[2].Caption = no;
    l[1].Left = l[0].Width + ChoiceGap;
    l[2].Left = l[1].Left + l[1].Width + ChoiceGap;
}

void ShowOnMainBar(Game& g, std::string& Text, std::string& Yes, std::string& No, bool DefaultYes) {
    frmUnderMes& bar = g.frmUnderMes.get();
    auto& l = bar.LBLMessage;
    bar.ClearLabels();
    if (Text.empty()) return;
    if (Yes.empty()) {
        l[0].FontUnderline = false;
        l[0].Caption = Text;
        g.MessageLabels = 1;
        return;
    }
    // A question starts without an answer: one left over from an earlier
    // question or story is no answer to this one.
    g.AnswerKey = AnswerNone;
    if (!No.empty()) {
        AppendMarks(Yes, No, DefaultYes);
        LayChoices(bar, Text, Yes, No);
        const bool escape = No.starts_with("逃げる");
        l[2].Enabled = !escape || EscapeAllowed(g);
        g.MessageLabels = 3;
        return;
    }
    // Two choices alone: the text is the first choice.
    AppendMarks(Text, Yes, DefaultYes);
    l[0].FontUnderline = true;
    l[1].FontUnderline = true;
    l[0].Caption = Text;
    l[1].Caption = Yes;
    l[1].Left = l[0].Width + ChoiceGap;
    g.MessageLabels = 2;
}

void ShowOnSecondBar(Game& g, std::string& Text, std::string& Yes, std::string& No, bool DefaultYes) {
    frmUnderMes2& bar = g.frmUnderMes2.get();
    bar.Show();
    bar.Top = RGN_ScreenHeight(g) - bar.Height;
    bar.Left = RGN_WorkLeft(g);
    bar.Width = g.ScreenWidthTwips;
    bar.ClearLabels();
    if (Text.empty()) return;
    auto& l = bar.LBLMessage;
    if (Yes.empty()) {
        l[0].FontUnderline = false;
        l[0].Caption = Text;
        g.MessageLabels = 1;
    } else {
        AppendMarks(Yes, No, DefaultYes);
        LayChoices(bar, Text, Yes, No);
        g.MessageLabels = 2;
    }
    // In front of every other window, the main bar included.
    g.host.SetTopmost(bar, true);
    g.host.Raise(bar);
}

}  // namespace

void ShowMessage(Game& g, std::string& Text, std::string& Yes, std::string& No, bool DefaultYes) {
    if (g.MessageBusy) return;  // a message that comes while one is laid out is dropped
    g.MessageBusy = true;
    if (!g.UseSecondBar) ShowOnMainBar(g, Text, Yes, No, DefaultYes);
    else ShowOnSecondBar(g, Text, Yes, No, DefaultYes);
    g.MessageBusy = false;
}

void ShowMessage(Game& g, std::string_view Text, std::string_view Yes, std::string_view No, bool DefaultYes) {
    std::string t(Text), y(Yes), n(No);
    ShowMessage(g, t, y, n, DefaultYes);
}

}  // namespace q
