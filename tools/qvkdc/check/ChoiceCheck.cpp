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
    CheckUnusedValues();
}

void ChoiceCheck::CheckUnusedValues() {
    // Only once the choices were all taken, and only when a row is left
    // beside a heading row: a table whose rows are all used is not walked.
    // Without any choice in use (none written, or none left), every row is
    // unused for a reason told elsewhere.
    TableBuild& build = ctx_.build;
    if (build.Failed() != FailStep::kNone || build.ValueRowsUsed() == 0 ||
        build.ValueRowsUsed() + 1 >= build.Tables().RowCount(kSelectionToIntTableFile)) {
        return;
    }
    const std::string& file = ctx_.Shown(kSelectionToIntTableFile);
    const int heading = build.FirstRowLine(kSelectionToIntTableFile);
    build.Tables().WalkKeys(kSelectionToIntTableFile, 1, [&](std::string_view key, int line) {
        // A heading row may stay; a repeated key is told as such (duplicate-key).
        if (line == heading || build.ValueRowUsed(line) ||
            build.Tables().FindRowLine(kSelectionToIntTableFile, 1, std::string(key)) != line) {
            return;
        }
        ctx_.out.Add(Severity::kNote, file, line,
                     "no choice row of " + ctx_.Shown(kExteriorTableFile) + " names " + Quoted(key) +
                         " in its cell 2: the row's value is never written",
                     FindingCode::kUnusedValue);
    });
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
