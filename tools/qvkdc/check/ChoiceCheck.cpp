#include "check/ChoiceCheck.h"

#include "check/TextForms.h"

void ChoiceCheck::Run() {
    const std::string& exterior = ctx_.Shown(kExteriorTableFile);
    for (const ChoiceNote& n : ctx_.build.ChoiceNotes()) {
        switch (n.kind) {
            case ChoiceNote::kOrphan:
                ctx_.out.Add(Severity::kWarning, exterior, n.line,
                             "the choice " + Quoted(n.key) + " belongs to no item: no item row has the title " +
                                 Quoted(n.itemTitle) + "; the choice is skipped",
                             FindingCode::kOrphanChoice);
                break;
            case ChoiceNote::kNotANumber:
                ctx_.out.Add(Severity::kWarning, ctx_.Shown(kSelectionToIntTableFile), n.line,
                             "the value " + Quoted(n.text) + " of the choice " + Quoted(n.choiceItName) +
                                 " is not a number" + Convention(n.text) + "; it is read as " +
                                 std::to_string(n.value),
                             FindingCode::kNotANumber);
                break;
            case ChoiceNote::kUnquoted: {
                const ExaminedColumn& col = ctx_.build.Columns()[static_cast<std::size_t>(n.column)];
                ctx_.out.Add(Severity::kError, exterior, n.line,
                             "the choice text " + Quoted(n.text) + " of column " + Quoted(col.ExName()) + ' ' +
                                 UnquotedFlaw(n.text),
                             FindingCode::kUnquotedText, n.column);
                break;
            }
            case ChoiceNote::kControl: {
                const ExaminedColumn& col = ctx_.build.Columns()[static_cast<std::size_t>(n.column)];
                ctx_.out.Add(Severity::kWarning, exterior, n.line,
                             "the choice text " + Quoted(n.text) + " of column " + Quoted(col.ExName()) + ' ' +
                                 ControlFlaw(n.text) + ", which goes into the CSV file as it is",
                             FindingCode::kControlInText, n.column);
                break;
            }
        }
    }
    CheckShadowed();
}

void ChoiceCheck::CheckShadowed() {
    const std::vector<ExaminedColumn>& cols = ctx_.build.Columns();
    for (std::size_t i = 0; i < cols.size(); ++i) {
        const ExaminedColumn& c = cols[i];
        // A column listed twice has its choices told once.
        if (ctx_.build.FindItem(c.ItName()) != static_cast<int>(i)) continue;
        const ExaminedChoices* choices = ctx_.build.ChoicesOf(c.ItName());
        if (choices == nullptr) continue;
        for (int j = 0; j < choices->Count(); ++j) {
            const ExaminedChoice choice = choices->At(j);
            const int first = choices->Find(choice.value);
            if (first == j || first < 0) continue;
            const ExaminedChoice shown = choices->At(first);
            if (shown.exName == choice.exName) continue;  // a repeated row loses nothing
            ctx_.out.Add(Severity::kWarning, ctx_.Shown(kExteriorTableFile), choice.choiceLine,
                         "the choice " + Quoted(choice.exName) + " of column " + Quoted(c.ExName()) + " has the value " +
                             std::to_string(choice.value) + " (" + ctx_.Shown(kSelectionToIntTableFile) + " line " +
                             std::to_string(choice.valueLine) + ") of the choice " + Quoted(shown.exName) + " (line " +
                             std::to_string(shown.choiceLine) + "), which comes first: the export writes " +
                             Quoted(shown.exName) + " for " + std::to_string(choice.value) +
                             " and never this text; give it a value of its own",
                         FindingCode::kShadowedChoice, static_cast<int>(i));
        }
    }
}
