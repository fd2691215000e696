// Formula text from outside: any bytes must end in a value or an EExpressionError.
// Input: the first line is the text, the other lines are user functions; a leading byte 0x01
// selects the event-first order. A hook answers names starting with "C" (cells) and "T" (texts).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "formula/engine/expression.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::string_view input(reinterpret_cast<const char *>(data), size);
    static qor::TQorExpression *expr = [] {
        auto *e = new qor::TQorExpression;
        e->SetRandomSeed(1);
        e->SetOnEvaluate([](qor::TQorExpression *, const QString &name, const qor::ExpValue *args, int n,
                            qor::ExpValue &value, bool &done) {
            if (name.startsWith(QLatin1Char('C'), Qt::CaseInsensitive)) {
                value = n > 0 ? args[n - 1] : qor::ExpValue(double(name.size()));
                done = true;
            } else if (name.startsWith(QLatin1Char('T'), Qt::CaseInsensitive)) {
                value = qor::ExpValue::FromText(name.toStdString());
                done = true;
            }
        });
        return e;
    }();
    expr->SetEvaluateOrder(qor::eoInternalFirst);
    if (!input.empty() && input[0] == '\x01') {
        expr->SetEvaluateOrder(qor::eoEventFirst);
        input.remove_prefix(1);
    }
    const size_t nl = input.find('\n');
    QStringList functions;
    if (nl != std::string_view::npos) {
        std::string_view rest = input.substr(nl + 1);
        while (!rest.empty()) {
            const size_t e = rest.find('\n');
            const std::string_view line = rest.substr(0, e);
            functions << QString::fromUtf8(line.data(), qsizetype(line.size()));
            rest = e == std::string_view::npos ? std::string_view() : rest.substr(e + 1);
        }
        input = input.substr(0, nl);
    }
    expr->SetFunctions(functions);
    expr->SetText(input);
    try {
        const qor::ExpValue v = expr->GetValue();
        (void)v.AsText();
    } catch (const qor::EExpressionError &e) {
        (void)e.what();
    }
    return 0;
}
