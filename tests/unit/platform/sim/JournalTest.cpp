// The journal's texts: the program's code-page 1252 texts and the host's UTF-8 paths both come
// out as UTF-8 JSON, with JSON's escapes and the controls as \u.
#include "platform/sim/Journal.h"

#include <gtest/gtest.h>

namespace zindra::platform::sim {
namespace {

TEST(Journal, EveryTextIsWrittenAsUtf8) {
    Journal journal([] { return std::int64_t{7}; });
    journal.Write("shell-execute", {{"params", "\"*AN\xC9L#\" \x80\x8A\x9F"},
                                    {"dir", "C:\\tab\there\x01\x7F\x81"},
                                    {"file", Utf8Text{"/tmp/caf\xC3\xA9/\xFF"}}});
    ASSERT_EQ(journal.Lines().size(), 1u);
    EXPECT_EQ(journal.Lines()[0],
              "{\"t\":7,\"ev\":\"shell-execute\","
              "\"params\":\"\\\"*AN\xC3\x89L#\\\" \xE2\x82\xAC\xC5\xA0\xC5\xB8\","
              "\"dir\":\"C:\\\\tab\\there\\u0001\\u007f\\u0081\","
              "\"file\":\"/tmp/caf\xC3\xA9/\xEF\xBF\xBD\"}");
}

}  // namespace
}  // namespace zindra::platform::sim
