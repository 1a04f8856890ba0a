// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

// Checks the required text alone: the input is a pattern and a string, split at the first NUL
// byte (bytes 0x01 to 0x04 standing for the characters that fold to ASCII). Wherever the
// library finds a match of the pattern in the string, as an expression or a wildcard, with case
// or without, the string holds the required text of one of the pattern's alternatives, as the
// tool asks it (requiredText is the one of a pattern without alternatives); and an
// expression the tool takes as invalid without building it is one the library finds invalid.

#include "folding.h"
#include "replace/expressionlimits.h"
#include "replace/requiredtext.h"
#include "replace/ruleexpression.h"
#include "text/losslesscodec.h"

#include <QRegExp>

#include <cstdint>
#include <cstdlib>

namespace {

// Large expressions, which fuzz_expression builds, would make this target slow without finding
// more: no more than 200 characters, and no count of three digits.
bool small(const QString &pattern)
{
    int digits = 0;
    for (const QChar c : pattern) {
        digits = c.isDigit() ? digits + 1 : 0;
        if (digits == 3)
            return false;
    }
    return pattern.size() <= 200;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    const int nul = bytes.indexOf('\0');
    if (nul < 0)
        return 0;
    const QString pattern = decodeLossless(withFolding(bytes.left(nul)));
    const QString text = decodeLossless(withFolding(bytes.mid(nul + 1)));
    const QByteArray textBytes = text.toUtf8();
    const bool folds = holdsFoldingToAscii(textBytes.constData(), textBytes.size());
    for (const bool wildcard : { false, true }) {
        if (!wildcard && (!small(pattern) || !expressionWithinLimits(pattern)))
            continue;
        for (const bool cs : { false, true }) {
            const QRegExp expression = ruleExpression(pattern, cs, wildcard);
            if (ruleExpressionInvalid(pattern, !wildcard, wildcard) && expression.isValid())
                std::abort();
            if (expression.indexIn(text) < 0)
                continue;
            const QStringList required = requiredAlternatives(pattern, !wildcard, cs, wildcard);
            if (!mayMatch(text, required, cs, folds))
                std::abort();
        }
    }
    return 0;
}
