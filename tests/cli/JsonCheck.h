#pragma once
// A strict JSON syntax check (RFC 8259) for the tool's --json output; no values are built.

#include <cctype>
#include <string_view>

namespace velloran::test {

class JsonCheck {
public:
    // True when text is exactly one JSON value with optional surrounding white space.
    static bool Valid(std::string_view text) {
        JsonCheck c(text);
        c.Space();
        if (!c.Value()) return false;
        c.Space();
        return c.m_pos == text.size();
    }

private:
    explicit JsonCheck(std::string_view text) : m_text(text) {}

    bool More() const { return m_pos < m_text.size(); }
    char Peek() const { return More() ? m_text[m_pos] : '\0'; }
    bool Eat(char c) {
        if (Peek() != c) return false;
        ++m_pos;
        return true;
    }
    void Space() {
        while (More() && (Peek() == ' ' || Peek() == '\n' || Peek() == '\r' || Peek() == '\t'))
            ++m_pos;
    }
    bool Literal(std::string_view word) {
        if (m_text.substr(m_pos, word.size()) != word) return false;
        m_pos += word.size();
        return true;
    }
    bool Digits() {
        std::size_t start = m_pos;
        while (More() && std::isdigit(static_cast<unsigned char>(Peek()))) ++m_pos;
        return m_pos > start;
    }
    bool Number() {
        Eat('-');
        if (Eat('0')) {
        } else if (!Digits()) {
            return false;
        }
        if (Eat('.') && !Digits()) return false;
        if (Peek() == 'e' || Peek() == 'E') {
            ++m_pos;
            if (!Eat('+')) Eat('-');
            if (!Digits()) return false;
        }
        return true;
    }
    bool String() {
        if (!Eat('"')) return false;
        while (More()) {
            unsigned char c = static_cast<unsigned char>(m_text[m_pos++]);
            if (c == '"') return true;
            if (c < 0x20) return false;
            if (c == '\\') {
                char e = Peek();
                ++m_pos;
                if (e == 'u') {
                    for (int i = 0; i < 4; ++i) {
                        if (!std::isxdigit(static_cast<unsigned char>(Peek()))) return false;
                        ++m_pos;
                    }
                } else if (std::string_view("\"\\/bfnrt").find(e) == std::string_view::npos) {
                    return false;
                }
            }
        }
        return false;
    }
    template <typename Item>
    bool Sequence(char close, Item item) {
        Space();
        if (Eat(close)) return true;
        do {
            Space();
            if (!item()) return false;
            Space();
        } while (Eat(','));
        return Eat(close);
    }
    bool Value() {
        switch (Peek()) {
            case '{':
                ++m_pos;
                return Sequence('}', [this] {
                    if (!String()) return false;
                    Space();
                    if (!Eat(':')) return false;
                    Space();
                    return Value();
                });
            case '[':
                ++m_pos;
                return Sequence(']', [this] { return Value(); });
            case '"':
                return String();
            case 't':
                return Literal("true");
            case 'f':
                return Literal("false");
            case 'n':
                return Literal("null");
            default:
                return Number();
        }
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
};

}  // namespace velloran::test
