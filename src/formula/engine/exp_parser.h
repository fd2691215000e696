#pragma once
// Tokenizer of the evaluator. Tokens are views into the parser's own copy of the text; the copy
// and the token list keep their memory from one text to the next.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/qor_global.h"

namespace qor {

enum TTokenType : uint8_t {
    ttNone = 0,
    ttNumeric = 1,
    ttParenthesis = 2,
    ttOperation = 3,
    ttString = 4,
    ttParamDelimitor = 5,
    ttVariable = 6,
};

struct TExpToken {
    std::string_view Text;
    TTokenType TokenType = ttNone;
    char Code = 0;     // the character of an operator or parenthesis
    double Number = 0; // the value of a number literal, 0 when it does not convert
};

class QOR_AUTOTEST_EXPORT TExpParser {
public:
    void SetExpression(std::string_view s); // stores the trimmed text
    std::string_view GetExpression() const { return m_text; }

    const TExpToken *ReadFirstToken();
    const TExpToken *ReadNextToken(); // nullptr at the end of the text
    void ReadAll();                   // the whole text, from the start

    const TExpToken &GetToken(int i) const { return m_tokens[size_t(i)]; }
    const TExpToken *Tokens() const { return m_tokens.data(); }
    int TokenCount() const { return int(m_tokens.size()); }
    void Clear() { m_tokens.clear(); }

private:
    inline bool Scan(size_t &pos, TExpToken &tok) const;

    std::string m_buffer;
    std::string_view m_text;
    size_t m_pos = 0; // 0-based here; messages report it 1-based
    std::vector<TExpToken> m_tokens;
};

} // namespace qor
