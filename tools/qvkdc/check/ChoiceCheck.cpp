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
}
