#pragma once
// JSON text written value by value. The writer puts every comma and colon
// itself, from where it stands in the nesting, so no caller can misplace one.
#include <string>
#include <string_view>
#include <vector>

namespace parabeam {

class JsonWriter {
  public:
    JsonWriter& beginObject() { return open('{'); }
    JsonWriter& endObject() { return close('}'); }
    JsonWriter& beginArray() { return open('['); }
    JsonWriter& endArray() { return close(']'); }
    // The name of the member whose value comes next.
    JsonWriter& key(std::string_view name);
    // Bytes as typed: quotes, backslashes and control bytes escaped, others
    // (UTF-8 among them) kept; the page decodes the text as UTF-8.
    JsonWriter& string(std::string_view text);
    // The exact double (17 significant digits), or null for one JSON cannot
    // hold (an infinity, an undefined value).
    JsonWriter& number(double value);
    JsonWriter& null();

    // The whole text, once every object and array is closed.
    const std::string& text() const { return text_; }

  private:
    JsonWriter& open(char bracket);
    JsonWriter& close(char bracket);
    void beforeValue();

    std::string text_;
    // For each open object or array: whether a member or element is in it yet.
    std::vector<bool> hasMembers_;
    bool afterKey_ = false;
};

} // namespace parabeam
