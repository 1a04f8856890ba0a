// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef RULEFILENAMES_H
#define RULEFILENAMES_H

#include <QString>

// The names of a rule file's elements and attributes, spelt here alone: the tool's reader, the
// companion's checks and its writer all take them from here. Constants of fixed length, so that
// comparing with them costs what comparing with a literal does.

namespace RuleFileNames {

template <int N> constexpr QLatin1String name(const char (&text)[N])
{
    return QLatin1String(text, N - 1);
}

/// The element whose file elements the reader reads.
constexpr QLatin1String replacementElement = name("replacement");
/// One rule.
constexpr QLatin1String fileElement = name("file");

/// The file element's attributes: the pattern, its replacement and the three flags.
constexpr QLatin1String path = name("path");
constexpr QLatin1String replacepath = name("replacepath");
constexpr QLatin1String regexp = name("regexp");
constexpr QLatin1String cs = name("cs");
constexpr QLatin1String wildcard = name("wildcard");

/// Every attribute the reader reads, in the order the writer writes them.
constexpr QLatin1String attributes[] = { path, replacepath, regexp, cs, wildcard };

} // namespace RuleFileNames

#endif // RULEFILENAMES_H
