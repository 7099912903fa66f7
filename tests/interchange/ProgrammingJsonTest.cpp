// The JSON form in-process: the bounded reader's limits at their edges, and
// an import that is refused changing nothing. (What each field accepts is
// FieldRulesTest's table.)
#include <gtest/gtest.h>

#include <string>
#include "image/FieldError.h"
#include "image/WriteDefaults.h"
#include "interchange/ProgrammingJson.h"

using namespace orv;

namespace {

// `depth` arrays, one inside the other.
std::string nested(int depth) { return std::string(static_cast<std::size_t>(depth), '[') + std::string(static_cast<std::size_t>(depth), ']'); }
std::string text(std::size_t n) { return "\"" + std::string(n, 'A') + "\""; }

TEST(ProgrammingJson, TheReaderRefusesWhatNoProgrammingDocumentHolds) {
    struct Case {
        const char* name;
        std::string json;
        const char* field;   // "" when the document is read
        const char* reason;  // a part of the reason
    };
    const Case cases[] = {
        {"nesting at the limit", nested(kMaxJsonDepth), "", ""},
        {"one level deeper", nested(kMaxJsonDepth + 1), "[0][0][0][0][0]", "nested too deeply"},
        {"a text at the limit", "{\"a\":" + text(kMaxJsonTextBytes) + "}", "", ""},
        {"a text one byte longer", "{\"a\":" + text(kMaxJsonTextBytes + 1) + "}", "a", "text too long"},
        {"a key one byte longer", "{" + text(kMaxJsonTextBytes + 1) + ":1}", "(document)", "key too long"},
        {"a key given twice", "{\"g\":{\"k\":1,\"k\":2}}", "g.k", "key given twice"},
        {"the same key in two objects", "{\"g\":{\"k\":1},\"h\":{\"k\":2}}", "", ""},
        {"a number beyond a double", "{\"n\":1e400}", "n", "number too large"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            (void)parseJsonDocument(c.json);
            EXPECT_STREQ(c.field, "") << "read";
        } catch (const FieldError& e) {
            EXPECT_EQ(e.field(), c.field);
            EXPECT_NE(e.reason().find(c.reason), std::string::npos) << e.reason();
            EXPECT_EQ(std::string(e.what()).find('\n'), std::string::npos);
        }
    }
    EXPECT_THROW(parseJsonDocument("{\"a\":"), JsonSyntaxError);
}

TEST(ProgrammingJson, OnlyWhiteSpaceMayFollowTheDocument) {
    using namespace std::string_literals;
    const struct {
        const char* name;
        std::string json;
        bool read;
    } cases[] = {
        {"white space", "{}\n \t\r\n"s, true},
        {"a second document", "{} {}"s, false},
        {"a NUL byte and text", "{}\0garbage"s, false},
        {"a lone NUL byte", "{}\0"s, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.read) EXPECT_NO_THROW((void)parseJsonDocument(c.json));
        else EXPECT_THROW((void)parseJsonDocument(c.json), JsonSyntaxError);
    }
}

TEST(ProgrammingJson, ARefusedDocumentChangesNothingAndNamesThePlace) {
    const Programming before = decodeProgramming(defaultImage());
    Programming prog = before;
    // The first group's change is valid; the second group's password is not.
    const Json doc = Json::parse(R"({"groups":[{"group":1,"txtGrpLab":"NEW"},{"group":2,"txtPassWord":"ZZZZZZ"}]})");
    try {
        applyJson(doc, prog);
        FAIL() << "accepted";
    } catch (const FieldError& e) {
        EXPECT_EQ(e.field(), "groups[1].txtPassWord");
        EXPECT_EQ(e.value(), "\"ZZZZZZ\"");
        EXPECT_EQ(e.reason(), "only the digits 0 to 9");
    }
    EXPECT_EQ(programmingToJson(prog), programmingToJson(before));
}

}  // namespace
