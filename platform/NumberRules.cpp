#include "platform/NumberRules.h"

#include <cmath>
#include <limits>

namespace NumberRules {

std::optional<double> Leading_Number(const QString& text) {
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && (text.at(i) == ' ' || text.at(i) == '\t'))
        ++i;
    QString num;
    if (i < n && (text.at(i) == '+' || text.at(i) == '-'))
        num.append(text.at(i++));
    bool digits = false;
    bool point = false;
    while (i < n) {
        const QChar c = text.at(i);
        if (c.isDigit() && c.unicode() < 128) {
            digits = true;
            num.append(c);
        } else if (c == '.' && !point) {
            point = true;
            num.append(c);
        } else {
            break;
        }
        ++i;
    }
    if (!digits)
        return std::nullopt;
    // An exponent counts only when digits follow it.
    if (i < n && (text.at(i) == 'e' || text.at(i) == 'E')) {
        qsizetype j = i + 1;
        QString exp = QStringLiteral("e");
        if (j < n && (text.at(j) == '+' || text.at(j) == '-'))
            exp.append(text.at(j++));
        qsizetype k = j;
        while (k < n && text.at(k).isDigit() && text.at(k).unicode() < 128)
            exp.append(text.at(k++));
        if (k > j)
            num.append(exp);
    }
    bool ok = false;
    const double v = num.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return v;
}

double Val(const QString& text) {
    return Leading_Number(text).value_or(0.0);
}

namespace {
std::int64_t saturate(double v) {
    if (std::isnan(v))
        return 0;
    if (v >= 9.2e18)
        return std::numeric_limits<std::int64_t>::max();
    if (v <= -9.2e18)
        return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(v);
}
} // namespace

std::int64_t RoundEven(double value) {
    const double r = std::nearbyint(value); // default rounding mode: halves to even
    return saturate(r);
}

std::int64_t Fix(double value) {
    return saturate(std::trunc(value));
}

double RoundAway(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    // The small nudge keeps values like 2.675 (stored as 2.67499...) rounding the
    // way the decimal text reads.
    const double scaled = std::fabs(value) * scale;
    const double r = std::floor(scaled + 0.5 + 1e-9 * std::max(1.0, scaled));
    return std::copysign(r / scale, value);
}

QString Format(double value, const QString& pattern) {
    const qsizetype pointAt = pattern.indexOf('.');
    const QString intPat = pointAt < 0 ? pattern : pattern.left(pointAt);
    const QString fracPat = pointAt < 0 ? QString() : pattern.mid(pointAt + 1);

    int decimals = 0;
    int minDecimals = 0;
    for (qsizetype i = 0; i < fracPat.size(); ++i) {
        if (fracPat.at(i) == '#' || fracPat.at(i) == '0') {
            ++decimals;
            if (fracPat.at(i) == '0')
                minDecimals = decimals;
        }
    }

    const double rounded = RoundAway(value, decimals);
    const bool negative = rounded < 0;
    const QString digits = QString::number(std::fabs(rounded), 'f', decimals);
    const qsizetype dot = digits.indexOf('.');
    QString intDigits = dot < 0 ? digits : digits.left(dot);
    QString fracDigits = dot < 0 ? QString() : digits.mid(dot + 1);
    if (intDigits == QStringLiteral("0"))
        intDigits.clear(); // a zero integer part is shown only by a "0" placeholder

    // Integer part: fill placeholders from the right.
    QString intOut;
    qsizetype next = intDigits.size() - 1;
    for (qsizetype i = intPat.size() - 1; i >= 0; --i) {
        const QChar p = intPat.at(i);
        if (p == '#' || p == '0') {
            if (next >= 0)
                intOut.prepend(intDigits.at(next--));
            else if (p == '0')
                intOut.prepend('0');
        } else {
            // A literal shows while digits remain to its left or a required digit follows.
            const bool moreDigits = next >= 0 || intPat.left(i).contains('0');
            if (moreDigits)
                intOut.prepend(p);
        }
    }
    if (next >= 0)
        intOut.prepend(intDigits.left(next + 1));

    // Fraction part: fill placeholders from the left, then drop optional trailing zeros.
    QString fracOut;
    int placed = 0;
    for (qsizetype i = 0; i < fracPat.size(); ++i) {
        const QChar p = fracPat.at(i);
        if (p == '#' || p == '0')
            fracOut.append(fracDigits.at(placed++));
        else
            fracOut.append(p);
    }
    if (placed > minDecimals) {
        int keep = placed;
        while (keep > minDecimals && fracDigits.at(keep - 1) == '0')
            --keep;
        // Cut the text after the keep-th digit.
        int seen = 0;
        qsizetype cut = 0;
        for (qsizetype i = 0; i < fracOut.size() && seen < keep; ++i) {
            if (fracOut.at(i).isDigit())
                ++seen;
            cut = i + 1;
        }
        fracOut = fracOut.left(keep == 0 ? 0 : cut);
    }

    QString out = intOut;
    if (pointAt >= 0)
        out += '.' + fracOut;
    if (negative)
        out.prepend('-');
    return out;
}

QString Str(double value) {
    if (value == std::floor(value) && std::fabs(value) < 1e15)
        return QString::number(static_cast<long long>(value));
    return QString::number(value, 'g', 15);
}

} // namespace NumberRules
