#pragma once
// The tests' one JSON reader (RFC 8259, strict): objects, arrays, strings with every escape,
// numbers as 64-bit floats read exactly, true, false and null. The reference cases read their
// expected values with it; the command-line tests check the tool's --json output with it.

#include <charconv>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velloran::test {

struct Json {
    enum class Type { Null, Bool, Number, String, Array, Object };
    Type type = Type::Null;
    bool boolean = false;
    double number = 0.0;
    std::string text;
    std::vector<Json> items;
    std::map<std::string, Json, std::less<>> members;

    // The member of an object, or nullptr when absent or not an object.
    const Json* Find(std::string_view key) const {
        if (type != Type::Object) return nullptr;
        auto it = members.find(key);
        return it == members.end() ? nullptr : &it->second;
    }
};

class JsonReader {
public:
    // The value of text, or nothing with error set to where and why reading stopped.
    static std::optional<Json> Parse(std::string_view text, std::string& error) {
        JsonReader r(text);
        Json value;
        r.Space();
        if (r.Value(value, 0)) {
            r.Space();
            if (r.m_pos == text.size()) return value;
            r.Fail("text after the value");
        }
        error = "at byte " + std::to_string(r.m_pos) + ": " + r.m_error;
        return std::nullopt;
    }

    // True when text is exactly one JSON value with optional surrounding white space.
    static bool Valid(std::string_view text) {
        std::string error;
        return Parse(text, error).has_value();
    }

private:
    static constexpr int kMaxDepth = 64;

    explicit JsonReader(std::string_view text) : m_text(text) {}

    bool Fail(const char* why) {
        if (m_error.empty()) m_error = why;
        return false;
    }
    bool More() const { return m_pos < m_text.size(); }
    char Peek() const { return More() ? m_text[m_pos] : '\0'; }
    bool Eat(char c) {
        if (Peek() != c) return false;
        ++m_pos;
        return true;
    }
    void Space() {
        while (Peek() == ' ' || Peek() == '\n' || Peek() == '\r' || Peek() == '\t') ++m_pos;
    }
    bool Literal(std::string_view word) {
        if (m_text.substr(m_pos, word.size()) != word) return Fail("unknown literal");
        m_pos += word.size();
        return true;
    }

    bool Value(Json& out, int depth) {
        if (depth > kMaxDepth) return Fail("nested too deeply");
        switch (Peek()) {
            case '{':
                return Object(out, depth);
            case '[':
                return Array(out, depth);
            case '"':
                out.type = Json::Type::String;
                return String(out.text);
            case 't':
                out.type = Json::Type::Bool;
                out.boolean = true;
                return Literal("true");
            case 'f':
                out.type = Json::Type::Bool;
                return Literal("false");
            case 'n':
                return Literal("null");
            default:
                return Number(out);
        }
    }

    bool Object(Json& out, int depth) {
        out.type = Json::Type::Object;
        ++m_pos;
        Space();
        if (Eat('}')) return true;
        do {
            Space();
            std::string key;
            if (!String(key)) return Fail("expected a member name");
            Space();
            if (!Eat(':')) return Fail("expected ':'");
            Space();
            Json value;
            if (!Value(value, depth + 1)) return false;
            out.members.insert_or_assign(std::move(key), std::move(value));
            Space();
        } while (Eat(','));
        return Eat('}') || Fail("expected ',' or '}'");
    }

    bool Array(Json& out, int depth) {
        out.type = Json::Type::Array;
        ++m_pos;
        Space();
        if (Eat(']')) return true;
        do {
            Space();
            out.items.emplace_back();
            if (!Value(out.items.back(), depth + 1)) return false;
            Space();
        } while (Eat(','));
        return Eat(']') || Fail("expected ',' or ']'");
    }

    // The grammar's number; its value through from_chars, which rounds correctly.
    bool Number(Json& out) {
        const std::size_t start = m_pos;
        Eat('-');
        if (!Eat('0') && !Digits()) return Fail("expected a value");
        if (Eat('.') && !Digits()) return Fail("expected digits after '.'");
        if (Eat('e') || Eat('E')) {
            if (!Eat('+')) Eat('-');
            if (!Digits()) return Fail("expected exponent digits");
        }
        out.type = Json::Type::Number;
        const char* first = m_text.data() + start;
        const char* last = m_text.data() + m_pos;
        auto [end, ec] = std::from_chars(first, last, out.number);
        return (ec == std::errc() && end == last) || Fail("number out of range");
    }
    bool Digits() {
        const std::size_t start = m_pos;
        while (Peek() >= '0' && Peek() <= '9') ++m_pos;
        return m_pos > start;
    }

    bool Hex4(uint32_t& code) {
        code = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = Peek();
            int digit = -1;
            if (c >= '0' && c <= '9') digit = c - '0';
            if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
            if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
            if (digit < 0) return Fail("bad \\u escape");
            code = code * 16 + static_cast<uint32_t>(digit);
            ++m_pos;
        }
        return true;
    }

    static void PutUtf8(uint32_t code, std::string& out) {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    // \uXXXX, with a following low surrogate when XXXX is a high one.
    bool UnicodeEscape(std::string& out) {
        uint32_t code = 0;
        if (!Hex4(code)) return false;
        if (code >= 0xD800 && code < 0xDC00) {
            uint32_t low = 0;
            if (!Eat('\\') || !Eat('u') || !Hex4(low) || low < 0xDC00 || low >= 0xE000)
                return Fail("unpaired surrogate");
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        } else if (code >= 0xDC00 && code < 0xE000) {
            return Fail("unpaired surrogate");
        }
        PutUtf8(code, out);
        return true;
    }

    bool String(std::string& out) {
        if (!Eat('"')) return Fail("expected a string");
        while (More()) {
            const char c = m_text[m_pos++];
            if (c == '"') return true;
            if (static_cast<unsigned char>(c) < 0x20) return Fail("control character in string");
            if (c != '\\') {
                out += c;
                continue;
            }
            const char e = Peek();
            ++m_pos;
            switch (e) {
                case '"':
                case '\\':
                case '/':
                    out += e;
                    break;
                case 'b':
                    out += '\b';
                    break;
                case 'f':
                    out += '\f';
                    break;
                case 'n':
                    out += '\n';
                    break;
                case 'r':
                    out += '\r';
                    break;
                case 't':
                    out += '\t';
                    break;
                case 'u':
                    if (!UnicodeEscape(out)) return false;
                    break;
                default:
                    return Fail("bad escape");
            }
        }
        return Fail("unterminated string");
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
    std::string m_error;
};

}  // namespace velloran::test
