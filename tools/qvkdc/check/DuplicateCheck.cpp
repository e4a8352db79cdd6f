#include "check/DuplicateCheck.h"

#include <string>
#include <string_view>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "check/TextForms.h"

void DuplicateCheck::Run() {
    constexpr const char* kFirstCounts = "only the first row counts";
    CheckItemKey(1, "title", kFirstCounts);
    CheckItemKey(2, "item", "its columns take the title of the first row");
    CheckKey(kProcessParametersTableFile, 1, "item", kFirstCounts);
    CheckKey(kParameterSettingTableFile, 1, "item", kFirstCounts);
    CheckKey(kSelectionToIntTableFile, 1, "choice", kFirstCounts);
    CheckKey(kVariableTableFile, 3, "variable", kFirstCounts);
}

void DuplicateCheck::CheckKey(CnvTblIndex table, int keyCol, const char* what, const char* effect) {
    if (!ctx_.build.HasRows(table)) return;
    // The keys in one text, each row's as its place in it: no more is kept.
    std::string text;
    std::vector<std::pair<std::size_t, int>> ends;  // (end of the key in text, line)
    ctx_.build.Tables().WalkKeys(table, keyCol, [&](std::string_view key, int line) {
        text += key;
        ends.emplace_back(text.size(), line);
    });
    std::vector<std::pair<std::string_view, int>> keys;
    keys.reserve(ends.size());
    std::size_t start = 0;
    for (const auto& [end, line] : ends) {
        keys.emplace_back(std::string_view(text).substr(start, end - start), line);
        start = end;
    }
    std::vector<std::pair<std::size_t, int>>().swap(ends);
    TellRepeats(table, keyCol, keys, what, effect);
}

void DuplicateCheck::CheckItemKey(int keyCol, const char* what, const char* effect) {
    if (!ctx_.build.HasRows(kExteriorTableFile)) return;
    std::vector<std::pair<std::string_view, int>> keys;
    for (const ItemRowTrail& r : ctx_.build.ItemRows()) {
        if (r.cells >= keyCol) keys.emplace_back(keyCol == 1 ? r.title : r.item, r.line);
    }
    TellRepeats(kExteriorTableFile, keyCol, keys, what, effect);
}

void DuplicateCheck::TellRepeats(CnvTblIndex table, int keyCol, const std::vector<std::pair<std::string_view, int>>& keys,
                                 const char* what, const char* effect) {
    // A key met before is a repeat; the lookup, as the export makes it,
    // then tells which row it finds. The keys met are an open-addressed
    // table of (hash, index into keys): no allocation a key.
    std::size_t size = 16;
    while (size < keys.size() * 2) size *= 2;
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t key = UINT32_MAX;  // none
    };
    std::vector<Slot> slots(size);
    const std::hash<std::string_view> hashOf;
    for (std::size_t k = 0; k < keys.size(); ++k) {
        const std::string_view key = keys[k].first;
        const auto hash = static_cast<std::uint32_t>(hashOf(key));
        for (std::size_t i = hash & (size - 1);; i = (i + 1) & (size - 1)) {
            Slot& s = slots[i];
            if (s.key == UINT32_MAX) {
                s = Slot{hash, static_cast<std::uint32_t>(k)};
                break;
            }
            if (s.hash == hash && keys[s.key].first == key) {
                CheckRow(table, keyCol, std::string(key), keys[k].second, what, effect);
                break;
            }
        }
    }
}

void DuplicateCheck::CheckRow(CnvTblIndex table, int keyCol, const std::string& key, int line, const char* what,
                              const char* effect) {
    const int first = ctx_.build.Tables().FindRowLine(table, keyCol, key);
    if (first == 0 || first == line) return;
    ctx_.out.Add(Severity::kWarning, ctx_.Shown(table), line,
                 std::string("the ") + what + ' ' + Quoted(key) + " repeats line " + std::to_string(first) + "; " +
                     effect,
                 FindingCode::kDuplicateKey);
}
