#include "formula/engine/exp_parser.h"

#include <array>
#include <cstdio>
#include <string>

#include "formula/engine/exp_value.h"
#include "formula/engine/expression_error.h"

namespace qor {

namespace {

struct CharClasses {
    std::array<TTokenType, 256> first{};
    std::array<TTokenType, 256> next{};
    constexpr CharClasses()
    {
        for (auto &c : first)
            c = ttNone;
        for (char c = 'A'; c <= 'Z'; ++c)
            first[uint8_t(c)] = ttString;
        for (char c = 'a'; c <= 'z'; ++c)
            first[uint8_t(c)] = ttString;
        first[uint8_t('_')] = ttString;
        next = first;
        next[uint8_t('$')] = next[uint8_t('#')] = next[uint8_t('@')] = ttString;
        for (char c = '0'; c <= '9'; ++c)
            first[uint8_t(c)] = next[uint8_t(c)] = ttNumeric;
        const auto set = [this](char c, TTokenType t) { first[uint8_t(c)] = next[uint8_t(c)] = t; };
        set('.', ttNumeric);
        set('(', ttParenthesis);
        set(')', ttParenthesis);
        set(',', ttParamDelimitor);
        set('[', ttVariable);
        set(']', ttVariable);
        for (char c : std::string_view("+-*/^!"))
            set(c, ttOperation);
    }
};

constexpr CharClasses kClasses;

// The offending character itself: an ASCII byte or a whole UTF-8 sequence; a byte 0 or one that
// is not valid UTF-8 would corrupt the message, so it is written in hex.
std::string ShowCharacter(std::string_view text, size_t pos)
{
    const auto b = uint8_t(text[pos]);
    if (b != 0 && b < 0x80)
        return std::string(1, char(b));
    int len = b >= 0xf0 && b < 0xf5 ? 4 : b >= 0xe0 ? 3 : b >= 0xc2 && b < 0xe0 ? 2 : 0;
    if (len && pos + size_t(len) <= text.size()) {
        bool ok = true;
        for (int i = 1; i < len; ++i)
            ok = ok && (uint8_t(text[pos + size_t(i)]) & 0xc0) == 0x80;
        if (ok)
            return std::string(text.substr(pos, size_t(len)));
    }
    char buf[8];
    std::snprintf(buf, sizeof buf, "\\x%02X", b);
    return buf;
}

[[noreturn]] Q_NEVER_INLINE void IllegalCharacter(std::string_view text, size_t i)
{
    throw EExpressionError("Parse error: illegal character \"" + ShowCharacter(text, i) + "\" at position "
                           + std::to_string(i + 1) + ".");
}

} // namespace

void TExpParser::SetExpression(std::string_view s)
{
    size_t b = 0, e = s.size();
    while (b < e && uint8_t(s[b]) <= ' ')
        ++b;
    while (e > b && uint8_t(s[e - 1]) <= ' ')
        --e;
    m_buffer.assign(s.substr(b, e - b));
    m_text = m_buffer;
}

const TExpToken *TExpParser::ReadFirstToken()
{
    Clear();
    m_pos = 0;
    return ReadNextToken();
}

const TExpToken *TExpParser::ReadNextToken()
{
    TExpToken tok;
    if (!Scan(m_pos, tok))
        return nullptr;
    m_tokens.push_back(tok);
    return &m_tokens.back();
}

void TExpParser::ReadAll()
{
    m_tokens.clear();
    size_t pos = 0;
    TExpToken tok;
    while (Scan(pos, tok))
        m_tokens.push_back(tok);
    m_pos = pos;
}

Q_ALWAYS_INLINE bool TExpParser::Scan(size_t &pos, TExpToken &tok) const
{
    const char *const text = m_text.data();
    const size_t n = m_text.size();
    size_t i = pos;
    while (i < n && text[i] == ' ')
        ++i;
    if (i >= n) {
        pos = i;
        return false;
    }
    const char first = text[i];
    const TTokenType type = kClasses.first[uint8_t(first)];
    const size_t start = i;
    tok.Code = 0;
    tok.Number = 0;
    switch (type) {
    case ttNone:
        IllegalCharacter(m_text, i);
    case ttParenthesis:
    case ttOperation:
        tok.Code = first;
        ++i;
        break;
    case ttVariable: {
        // The brackets belong to no token: the text runs to the next bracket, which is consumed.
        ++i;
        size_t e = i;
        while (e < n && text[e] != '[' && text[e] != ']')
            ++e;
        tok.Text = std::string_view(text + i, e - i);
        tok.TokenType = ttVariable;
        pos = e < n ? e + 1 : e;
        return true;
    }
    case ttString:
        ++i;
        while (i < n) {
            const TTokenType c = kClasses.next[uint8_t(text[i])];
            if (c != ttString && c != ttNumeric)
                break;
            ++i;
        }
        break;
    case ttNumeric: {
        i = start + exp::ReadNumericToken(std::string_view(text + start, n - start), tok.Number);
        tok.Text = std::string_view(text + start, i - start);
        tok.TokenType = ttNumeric;
        pos = i;
        return true;
    }
    case ttParamDelimitor:
        ++i;
        while (i < n && text[i] == ',')
            ++i;
        break;
    }
    tok.Text = std::string_view(text + start, i - start);
    tok.TokenType = type;
    pos = i;
    return true;
}

} // namespace qor
