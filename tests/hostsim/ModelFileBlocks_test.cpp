// A model file loads the same wherever the blocks it is read in end: the
// same model, or the same refusal at the same line and column, as the same
// text loaded from memory.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "host/Qdgm.h"
#include "host/Qvptf.h"
#include "support/HostFixture.h"

namespace {

// Escapes, numbers, literals, string ends and both kinds of line end, after
// a byte-order mark.
const std::string kModel =
    "\xEF\xBB\xBF{\"plans\": [\r\n"
    " {\"id\": [1, -2, 3, 4], \"name\": \"caf\\u00e9 \\\"A\\\"\\n\\ud83d\\ude00\", \"processes\": [\n"
    "  {\"id\": [11, 0, 0, 1], \"type\": 2411, \"name\": \"x\\/y\\\\z\",\n"
    "   \"params\": {\"100\": -12345, \"200\": 1.5e2, \"300\": \"t\\u00e9xt\", \"400\": null,\r\n"
    "              \"500\": 0.25, \"600\": {\"status\": -3}}},\n"
    "  {\"id\": [12, 0, 0, 1], \"type\": 2502, \"tool\": null, \"params\": {\"100\": 0}}]},\n"
    " {\"id\": [2, 0, 0, 1], \"name\": \"\", \"processes\": null}],\n"
    " \"toolTexts\": {\"T\\u0031\": \"tool\"},\n"
    " \"messages\": {\"1\": \"M\\u00e4chine\"}}\n";

// kModel with its first `from` replaced by `to`.
std::string Edited(const std::string& from, const std::string& to) {
    std::string text = kModel;
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

std::string IdText(const ModelId& id) {
    return std::to_string(id.objid) + " " + std::to_string(id.aplsec) + " " +
           std::to_string(id.insid) + " " + std::to_string(id.entid);
}

// The loaded model as the host calls give it: plans, processes, parameters.
std::string Fingerprint() {
    std::string out;
    char name[kQdgmNameSize];
    for (int i = 0; i < QvsimPlanCount(); ++i) {
        ModelId plan{};
        QvsimPlanId(i, &plan);
        const int named = QdgmRetIdnamLN(&plan, name);
        out += "plan " + IdText(plan) + " " + std::to_string(named) + " \"" + name + "\" at " +
               std::to_string(QvsimModelLine(&plan)) + "\n";
        int count = 0;
        ModelId* list = nullptr;
        if (QdgmRetLstRO(kQdgmRelPlanPrcs, &plan, &count, &list) < 0) continue;
        for (int p = 0; p < count; ++p) {
            int unused = 0;
            int type = 0;
            QdgmInqNctyp(&list[p], &unused, &type);
            QdgmRetIdnamLN(&list[p], name);
            out += " process " + IdText(list[p]) + " " + std::to_string(type) + " \"" + name + "\" at " +
                   std::to_string(QvsimModelLine(&list[p]));
            QdgmPrcsRec* rec = nullptr;
            QdgmGetPrcs(0, &list[p], &rec);
            for (int key : {100, 200, 300, 400, 500, 600}) {
                void* value = nullptr;
                int status = 0;
                QvlbpPrcInqPrm(&rec, &key, &value, &status);
                const int kind = QvsimParamKind(&list[p], key);
                char shown[64] = "-";
                if (value != nullptr && kind == 1) std::snprintf(shown, sizeof shown, "%d", *static_cast<int*>(value));
                if (value != nullptr && kind == 2) std::snprintf(shown, sizeof shown, "%.17g", *static_cast<double*>(value));
                out += " " + std::to_string(key) + ":" + std::to_string(status) + "/" +
                       (value != nullptr && kind == 3 ? static_cast<const char*>(value) : shown);
            }
            out += "\n";
            QmemFrePrcs(rec);
        }
        QmemFreId(list);
    }
    return out;
}

using ModelFileBlocks = HostTest;

TEST_F(ModelFileBlocks, EveryBlockEndGivesTheSameAnswerAsTheText) {
    const std::string texts[] = {
        kModel,
        Edited("t\\u00e9xt\"", "t\\u00\""),           // a short escape, ended by the quote
        Edited("caf\\u00e9", "caf\\u0e"),               // ... ended by a blank
        Edited("\\ude00\"", "\\u12\""),                 // a short low surrogate
        Edited("\\ud83d\\ude00", "\\ud83d"),            // a high surrogate alone at the end
        Edited("1.5e2", "1.5e"),                        // a number without its exponent
        Edited("-12345", "-"),                          // a sign alone
        Edited("\"type\": 2411", "\"type\": 1e999"),    // a number no double holds
        Edited("null,", "nul,"),                        // a broken literal
        Edited("\"tool\": null", "\"tool\": true"),     // a literal of the wrong type
        Edited("\xEF\xBB\xBF", " \xEF\xBB\xBF"),        // the byte-order mark after a blank
        Edited("\xEF\xBB\xBF", "\xEF\xBB"),             // half a byte-order mark
        Edited("\"name\": \"\"", "\"name\": \"\x01\""), // a control character
        Edited("\"type\": 2502", "\"typo\": 2502"),     // an unknown field
        Edited("{\"1\"", "{\"1\": \"a\", \"1\""),       // a message given twice
        kModel.substr(0, kModel.size() - 3),            // the end cut off
    };
    const std::string path = Root().PathOf("model.json");
    for (const std::string& text : texts) {
        char err[512] = {};
        const bool loads = QvsimLoadModelText(text.c_str(), path.c_str(), err, sizeof err) == 0;
        const std::string expected = loads ? Fingerprint() : err;
        // The model itself loads, each plan and process at the line its
        // object begins on; each of its edits is refused.
        EXPECT_EQ(loads, &text == &texts[0]) << expected;
        if (&text == &texts[0]) {
            for (const char* at : {"\" at 2\n process 11 ", "\" at 3 100", "\" at 6 100", "\" at 7\n"}) {
                EXPECT_NE(expected.find(at), std::string::npos) << at << " in " << expected;
            }
        }
        Root().WriteFile("model.json", text);
        for (std::size_t block = 1; block <= text.size() + 1; ++block) {
            QvsimModelReadBlock(block);
            const std::string got = QvsimLoadModelFile(path.c_str(), err, sizeof err) == 0 ? Fingerprint() : err;
            if (got != expected) {
                ADD_FAILURE() << "blocks of " << block << " bytes: " << got << "\nfrom text: "
                              << expected << "\nfor: " << text;
                break;
            }
        }
    }
}

}  // namespace
