#include "format/chinese_money.h"

#include <array>
#include "format/number_text.h"

namespace qor {

namespace {

constexpr int kPositions = 16;

const std::array<QStringView, 10> &digitNames()
{
    static const std::array<QStringView, 10> names = {u"零", u"壹", u"贰", u"叁", u"肆",
                                                      u"伍", u"陆", u"柒", u"捌", u"玖"};
    return names;
}

// Place units from the most significant position (0) to the ones (15).
const std::array<QStringView, kPositions> &unitNames()
{
    static const std::array<QStringView, kPositions> units = {
        u"仟", u"佰", u"拾", u"兆", u"仟", u"佰", u"拾", u"亿",
        u"仟", u"佰", u"拾", u"万", u"仟", u"佰", u"拾", u"元"};
    return units;
}

constexpr bool isSectionUnit(int pos) { return pos % 4 == 3; }

// The integer digits right-aligned into the 16 positions; empty positions hold -1.
struct Places {
    std::array<int, kPositions> digit;
    std::array<bool, kPositions> showDigit;
    std::array<bool, kPositions> showUnit;
};

Places place(const QString &intDigits)
{
    Places p;
    p.digit.fill(-1);
    p.showDigit.fill(false);
    p.showUnit.fill(false);
    // "0.5" has the integer part "0": it is placed like any other digit.
    const QString digits = intDigits.isEmpty() ? QStringLiteral("0") : intDigits;
    const int first = kPositions - int(digits.size());
    for (int i = 0; i < digits.size(); ++i) {
        p.digit[first + i] = digits[i].unicode() - '0';
        p.showDigit[first + i] = true;
        p.showUnit[first + i] = true;
    }
    return p;
}

QString integerText(const Places &p)
{
    QString out;
    for (int pos = 0; pos < kPositions; ++pos) {
        if (p.digit[pos] < 0)
            continue;
        if (p.showDigit[pos])
            out += digitNames()[p.digit[pos]];
        if (p.showUnit[pos])
            out += unitNames()[pos];
    }
    return out;
}

QString signed_(const TAmount &a, const QString &text)
{
    return a.negative ? QStringLiteral("负") + text : text;
}

} // namespace

QString ChineseDigit(int digit)
{
    return (digit >= 0 && digit <= 9) ? digitNames()[digit].toString() : QString();
}

QString ChineseMoney(QStringView amount)
{
    const TAmount a = ReadAmount(amount);
    if (a.isZero())
        return QStringLiteral("零元");
    if (a.intDigits.size() > kPositions)
        return QStringLiteral("Error");

    Places p = place(a.intDigits);
    bool sectionStart = true;
    bool previousNotZero = true;
    for (int pos = kPositions - 1; pos >= 0; --pos) {
        if (isSectionUnit(pos))
            sectionStart = true;
        if (p.digit[pos] == 0) {
            if (!isSectionUnit(pos))
                p.showUnit[pos] = false;
            // One 零 stands for a run of zeros between non-zero digits of a section.
            if (sectionStart || !previousNotZero)
                p.showDigit[pos] = false;
            previousNotZero = false;
        } else {
            previousNotZero = true;
            sectionStart = false;
        }
    }
    // 万, 亿 and 兆 go when nothing of their section is written: 壹亿元, not 壹亿万元.
    for (int unitPos = 3; unitPos < kPositions - 1; unitPos += 4) {
        bool anyDigit = false;
        for (int pos = unitPos - 3; pos <= unitPos; ++pos)
            anyDigit = anyDigit || (p.digit[pos] >= 0 && p.showDigit[pos]);
        if (!anyDigit)
            p.showUnit[unitPos] = false;
    }

    QString out = integerText(p);
    const QString frac = a.fracDigits.left(2);
    const int d1 = frac.size() > 0 ? frac[0].unicode() - '0' : 0;
    const int d2 = frac.size() > 1 ? frac[1].unicode() - '0' : 0;
    if (d1 == 0 && d2 == 0) {
        out += u"整";
    } else if (d1 == 0) {
        out += u".零角";
        out += digitNames()[d2];
        out += u"分";
    } else {
        out += u'.';
        out += digitNames()[d1];
        out += u"角";
        if (d2 != 0) {
            out += digitNames()[d2];
            out += u"分";
        }
    }
    return signed_(a, out);
}

QString ChineseFullMoney(QStringView amount)
{
    const TAmount a = ReadAmount(amount);
    if (a.isZero())
        return QStringLiteral("零元");
    if (a.intDigits.size() > kPositions)
        return QStringLiteral("Error");

    QString out = integerText(place(a.intDigits));
    const QString frac = a.fracDigits.left(2);
    if (frac.isEmpty()) {
        out += u"零角零分";
    } else {
        out += digitNames()[frac[0].unicode() - '0'];
        out += u"角";
        out += digitNames()[frac.size() > 1 ? frac[1].unicode() - '0' : 0];
        out += u"分";
    }
    return signed_(a, out);
}

} // namespace qor
