// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef TOOLOPTIONS_H
#define TOOLOPTIONS_H

#include <QLatin1String>
#include <QString>

#include <string_view>

// The words that kevrareplace takes as its options, exactly as written (case counts): any
// other argument is its string. The tool and its companion both read them here.

inline constexpr const char toolConfigOption[] = "-config";
inline constexpr const char toolHelpOption[] = "-help";
inline constexpr const char toolVersionOption[] = "-version";
inline constexpr const char *const toolOptions[] = { toolConfigOption, toolHelpOption,
    toolVersionOption };

/// Whether kevrareplace takes \a word, an argument as its bytes, as one of its options.
inline bool isToolOption(std::string_view word)
{
    for (const char *option : toolOptions) {
        if (word == option)
            return true;
    }
    return false;
}

/// Whether kevrareplace takes \a word, an argument as its characters, as one of its options.
inline bool isToolOption(const QString &word)
{
    for (const char *option : toolOptions) {
        if (word == QLatin1String(option))
            return true;
    }
    return false;
}

#endif // TOOLOPTIONS_H
