// The JSON writer: every separator its own doing.
#include <gtest/gtest.h>

#include "diagrams/json_writer.hpp"

namespace parabeam::testing {
namespace {

// Commas and colons come from the nesting alone, whatever order values come in.
TEST(JsonWriter, PutsEverySeparatorItself) {
    JsonWriter json;
    json.beginObject().key("a").beginArray().endArray().key("b").beginArray();
    json.number(-0.0).number(0.1).beginObject().endObject().string("").number(1e308 * 10);
    json.endArray().key("c").beginObject().key("d").string("\"\\\n").endObject().endObject();
    EXPECT_EQ(json.text(),
              R"({"a":[],"b":[-0,0.10000000000000001,{},"",null],"c":{"d":"\"\\\u000a"}})");
}

} // namespace
} // namespace parabeam::testing
